<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>KX5Link</name>
    <message>
        <location filename="../../link/KX5Link.cpp" line="+176"/>
        <source>Not a request the link takes (step %1).</source>
        <translation>통신 라인이 받지 않는 요청입니다 (단계 %1).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The port is closed: %1 not sent.</source>
        <translation>포트가 닫혀 있어 %1 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The port is closing: %1 not sent.</source>
        <translation>포트를 닫는 중이어서 %1 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port %1 lost, reopening: %2 not sent.</source>
        <translation>포트 %1 연결이 끊겨 다시 여는 중이므로 %2 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Checking the stations (Connect status): %1 not sent. Try again when the check has finished.</source>
        <translation>국번을 확인하는 중(연결 상태)이어서 %1 요청을 보내지 않았습니다. 확인이 끝난 후 다시 시도하십시오.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>MC %1 is not in use: %2 not sent.</source>
        <translation>국번 %1: 사용하지 않는 국번이므로 %2 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MC %1 has not answered: %2 not sent.</source>
        <translation>국번 %1: 응답이 없어 %2 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1: incomplete values, not sent.</source>
        <translation>%1: 값이 모자라 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>MC [%1] %2 replaced by a newer request: not sent</source>
        <translation>국번 [%1] %2: 새 요청으로 바뀌어 보내지 않았습니다</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>MC [%1] %2 replaced by a newer request: not finished</source>
        <translation>국번 [%1] %2: 새 요청으로 바뀌어 끝내지 못했습니다</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>MC [%1] %2 not sent: the port closed</source>
        <translation>국번 [%1] %2: 포트가 닫혀 보내지 않았습니다</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>MC [%1] ==&gt; NG: input group 612-619 not written (the port closed)</source>
        <translation>국번 [%1] ==&gt; NG: 입력 그룹 612-619를 쓰지 못했습니다 (포트 닫힘)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>MC [%1] %2 not confirmed: the port closed</source>
        <translation>국번 [%1] %2: 포트가 닫혀 확인하지 못했습니다</translation>
    </message>
    <message>
        <location filename="../../link/KX5LinkReceive.cpp" line="+228"/>
        <source>MC [%1] parameters read</source>
        <translation>국번 [%1] 파라미터 읽기 완료</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>MC [%1] %2 written</source>
        <translation>국번 [%1] %2 쓰기 완료</translation>
    </message>
    <message>
        <location filename="../../link/KX5Link.cpp" line="+235"/>
        <source>MC [%1] ==&gt; NG: input group 612-619 refused</source>
        <translation>국번 [%1] ==&gt; NG: 조절계가 입력 그룹 612-619 쓰기를 거부했습니다</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC [%1] ==&gt; NG: input group 612-619 not written</source>
        <translation>국번 [%1] ==&gt; NG: 입력 그룹 612-619를 쓰지 못했습니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MC [%1] ==&gt; NG: %2 refused</source>
        <translation>국번 [%1] ==&gt; NG: 조절계가 %2 요청을 거부했습니다</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC [%1] ==&gt; NG: %2 not confirmed</source>
        <translation>국번 [%1] ==&gt; NG: %2 요청을 확인하지 못했습니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MC [%1] ==&gt; NG: parameter read refused</source>
        <translation>국번 [%1] ==&gt; NG: 조절계가 파라미터 읽기를 거부했습니다</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC [%1] ==&gt; NG: parameter read not confirmed</source>
        <translation>국번 [%1] ==&gt; NG: 파라미터 읽기를 확인하지 못했습니다</translation>
    </message>
</context>
<context>
    <name>LineScanner</name>
    <message>
        <location filename="../../link/LineScanner.cpp" line="+47"/>
        <source>The port %1 failed during the scan: %2</source>
        <translation>라인 검색 중 포트 %1에 오류가 생겼습니다: %2</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>A scan is already running.</source>
        <translation>라인 검색이 이미 실행 중입니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The port %1 is open for polling. Close the port (Port Close) before scanning the line.</source>
        <translation>포트 %1: 폴링에 사용 중입니다. 라인 검색 전에 [포트 닫기]로 포트를 닫으십시오.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Nothing to scan.</source>
        <translation>검색할 대상이 없습니다.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The port %1 could not be opened at %2: %3</source>
        <translation>%2 설정으로 포트 %1 열기에 실패했습니다: %3</translation>
    </message>
</context>
<context>
    <name>QtSerialPort</name>
    <message>
        <location filename="../../link/QtSerialPort.cpp" line="+42"/>
        <source>line settings &quot;%1&quot; are incomplete</source>
        <translation>통신 설정이 불완전함: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>baud rate &quot;%1&quot; is not a number</source>
        <translation>통신 속도가 숫자가 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>parity &quot;%1&quot; is not N, E, O, M or S</source>
        <translation>패리티가 N, E, O, M, S 중 하나가 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>data bits &quot;%1&quot; are not 5 to 8</source>
        <translation>데이터 비트가 5~8이 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>stop bits &quot;%1&quot; are not 1, 1.5 or 2</source>
        <translation>정지 비트가 1, 1.5, 2 중 하나가 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the port does not accept %1</source>
        <translation>포트가 %1 설정을 받아들이지 않음</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>no such port</source>
        <translation>포트가 없음</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>port in use by another program or access denied</source>
        <translation>다른 프로그램이 포트를 사용 중이거나 접근 권한이 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>port is already open</source>
        <translation>포트가 이미 열려 있음</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>device disconnected or not responding</source>
        <translation>장치가 분리되었거나 응답 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>cannot write to the device</source>
        <translation>장치에 쓸 수 없음</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>settings not supported by the device</source>
        <translation>장치가 지원하지 않는 설정</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>port error</source>
        <translation>포트 오류</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>no permission to use %1: run &quot;sudo usermod -aG %2 $USER&quot;, then log out and in again</source>
        <translation>%1 사용 권한 없음: &quot;sudo usermod -aG %2 $USER&quot; 명령을 실행한 후 로그아웃했다가 다시 로그인하십시오</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>port in use by another program</source>
        <translation>다른 프로그램이 포트를 사용 중</translation>
    </message>
</context>
<context>
    <name>Request</name>
    <message>
        <location filename="../../link/Request.cpp" line="+59"/>
        <source>PRINT key</source>
        <translation>PRINT 키</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>TEXT key</source>
        <translation>TEXT 키</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LIST key</source>
        <translation>LIST 키</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>FEED key</source>
        <translation>FEED 키</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ZOOM key</source>
        <translation>ZOOM 키</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>print speed</source>
        <translation>기록 속도</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>parameter read</source>
        <translation>파라미터 읽기</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>alarm group</source>
        <translation>경보 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>auto-tuning group</source>
        <translation>오토튜닝 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>control group</source>
        <translation>제어 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>input group</source>
        <translation>입력 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>input group (612-619)</source>
        <translation>입력 그룹 (612-619)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>output group</source>
        <translation>출력 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PID group</source>
        <translation>PID 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SV group</source>
        <translation>SV 그룹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>clock</source>
        <translation>시계</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>register %1</source>
        <translation>레지스터 %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>step %1</source>
        <translation>단계 %1</translation>
    </message>
</context>
<context>
    <name>TraceLog</name>
    <message>
        <location filename="../../link/TraceLog.cpp" line="+25"/>
        <source>Send</source>
        <translation>송신</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Recv</source>
        <translation>수신</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>(+%1 bytes)</source>
        <translation>(+%1 바이트)</translation>
    </message>
</context>
</TS>
