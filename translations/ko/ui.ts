<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>HelpGuide</name>
    <message>
        <location filename="../../ui/HelpGuide.cpp" line="+147"/>
        <source>The user guide is not installed. It was looked for in:
%1

Build the program (the guide is built with it) or install the package to get it.</source>
        <translation>사용자 가이드가 설치되어 있지 않습니다. 찾아본 위치:
%1

프로그램을 빌드하거나(가이드도 함께 빌드됩니다) 패키지를 설치하십시오.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The user guide %1 could not be opened: no web browser is set up for the desktop. Open that file in a browser.</source>
        <translation>사용자 가이드(%1)를 열 수 없습니다. 데스크톱에 웹 브라우저가 설정되어 있지 않습니다. 브라우저에서 이 파일을 여십시오.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Help</source>
        <translation>도움말</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <location filename="../../ui/Language.cpp" line="+49"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 파일에 쓸 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the folder is not writable</source>
        <translation>폴더에 쓸 수 없음</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>&amp;Language</source>
        <translation>언어(&amp;L)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;System&apos;s language</source>
        <translation>시스템 언어(&amp;S)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The language changes when the program is started again.</source>
        <translation>언어는 프로그램을 다시 시작하면 바뀝니다.</translation>
    </message>
</context>
<context>
    <name>OpenWithDialog</name>
    <message>
        <location filename="../../ui/OpenWithDialog.cpp" line="+17"/>
        <source>No program is registered to open the file &quot;%1&quot; in the folder
%2

Choose a program to open it with, or Cancel.</source>
        <translation>다음 폴더에 있는 &quot;%1&quot; 파일을 열 프로그램이 등록되어 있지 않습니다.
%2

파일을 열 프로그램을 선택하거나 [취소]를 누르십시오.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file &quot;%1&quot; was asked for, but it does not exist in the folder
%2

Choose a program to open it with, or Cancel.</source>
        <translation>&quot;%1&quot; 파일을 열려고 했지만 다음 폴더에 없습니다.
%2

파일을 열 프로그램을 선택하거나 [취소]를 누르십시오.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Open With - %1</source>
        <translation>연결 프로그램 - %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Program</source>
        <translation>프로그램(&amp;P)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Program</source>
        <translation>프로그램</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Browse...</source>
        <translation>찾아보기(&amp;B)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location filename="../../ui/ShellOpen.cpp" line="+55"/>
        <source>Open With</source>
        <translation>연결 프로그램</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot start %1 to open %2.</source>
        <translation>%2 파일을 열 프로그램을 시작할 수 없습니다: %1</translation>
    </message>
</context>
<context>
    <name>PlotOutput</name>
    <message>
        <location filename="../../ui/PlotOutput.cpp" line="+66"/>
        <source>the file cannot be written</source>
        <translation>파일에 쓸 수 없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the folder does not exist</source>
        <translation>폴더가 없음</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 파일에 쓸 수 없습니다: %2</translation>
    </message>
</context>
<context>
    <name>ShellOpen</name>
    <message>
        <location filename="../../ui/ShellOpen.cpp" line="+36"/>
        <source>KX5 Manual</source>
        <translation>KX5 매뉴얼</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The controller&apos;s manual is not here. Save the KX5 manual from the controller&apos;s maker as
%1
and choose &quot;KX5 Manual&quot; again.</source>
        <translation>조절계 매뉴얼이 없습니다. 조절계 제조사의 KX5 매뉴얼을 다음 이름으로 저장한 뒤
%1
[KX5 매뉴얼]을 다시 선택하십시오.</translation>
    </message>
</context>
<context>
    <name>TraceLog</name>
    <message>
        <location filename="../../ui/TraceModel.cpp" line="+86"/>
        <source>Send</source>
        <translation>송신</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recv</source>
        <translation>수신</translation>
    </message>
</context>
<context>
    <name>TraceModel</name>
    <message>
        <location line="+23"/>
        <source>Time</source>
        <translation>시각</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Direction</source>
        <translation>방향</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Command</source>
        <translation>명령</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bytes</source>
        <translation>바이트</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>&amp;Copy</source>
        <translation>복사(&amp;C)</translation>
    </message>
</context>
</TS>
