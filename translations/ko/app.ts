<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>EventLog</name>
    <message>
        <location filename="../../app/Headless.cpp" line="+93"/>
        <source>Started without windows in %1</source>
        <translation>창 없이 시작함: %1</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Stopped</source>
        <translation>중지함</translation>
    </message>
</context>
<context>
    <name>frmKX5_Main</name>
    <message>
        <location filename="../../app/Commands.cpp" line="+188"/>
        <source>Data saving NOT started (not enabled in Data Save Setting)</source>
        <translation>데이터 저장 시작 안 함 ([데이터 저장 설정]에서 저장이 꺼져 있음)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Data saved to %1 every %2 %3</source>
        <translation>%2%3마다 %1에 데이터 저장 중</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>port %1 opened</source>
        <translation>포트 %1 열림</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>trend graph started</source>
        <translation>트렌드 그래프 시작됨</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 (started with %2)</source>
        <translation>%1 (시작 옵션: %2)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../app/main.cpp" line="+97"/>
        <source>Program Folder</source>
        <translation>프로그램 폴더</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 cannot be written, so the settings, data files and traces are kept in %2.
Start the program with --dir PATH to use another folder.</source>
        <translation>%1에 쓸 수 없으므로 설정, 데이터 파일, 통신 기록을 %2에 보관합니다.
다른 폴더를 쓰려면 --dir PATH 옵션으로 프로그램을 시작하십시오.</translation>
    </message>
    <message>
        <location filename="../../app/Commands.cpp" line="-133"/>
        <location filename="../../app/main.cpp" line="-16"/>
        <source>Folder in Use</source>
        <translation>사용 중인 폴더</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Data saving is stopped; choose another folder in Data Save Setting.</source>
        <translation>데이터 저장을 중지했습니다. 데이터 저장 설정에서 다른 폴더를 선택하십시오.</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Modbus TCP &amp;Gateway...</source>
        <translation>Modbus TCP 게이트웨이(&amp;G)...</translation>
    </message>
</context>
</TS>
