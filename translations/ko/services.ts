<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>DataLog</name>
    <message>
        <location filename="../../services/DataLog.cpp" line="+37"/>
        <source>a symbolic link, not followed</source>
        <translation>심볼릭 링크이므로 따라가지 않음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>not a regular file</source>
        <translation>일반 파일이 아님</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>disk full</source>
        <translation>디스크가 가득 참</translation>
    </message>
</context>
<context>
    <name>DataLogger</name>
    <message>
        <location filename="../../services/DataLogger.cpp" line="+100"/>
        <source>MC [%1] Data not saved to %2: %3</source>
        <translation>국번 [%1] 데이터를 %2에 저장하지 못했습니다: %3</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>MC %1 %2%3</source>
        <translation>국번 %1 %2%3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Saving since %1, %2 records today, last records: %3</source>
        <translation>%1부터 저장 중, 오늘 %2건 기록, 국번별 마지막 기록: %3</translation>
    </message>
</context>
<context>
    <name>EventLog</name>
    <message>
        <location filename="../../services/AlarmBook.cpp" line="+96"/>
        <source>%1 on, PV %2</source>
        <translation>%1 켜짐, PV %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 off</source>
        <translation>%1 꺼짐</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 acknowledged by %2</source>
        <translation>%1 확인함 (확인자: %2)</translation>
    </message>
    <message>
        <location filename="../../services/DataLogger.cpp" line="-81"/>
        <source>Data saving stopped</source>
        <translation>데이터 저장 중지</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Data saving started: %1 every %2 min</source>
        <translation>데이터 저장 시작: %1, %2분마다</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Data saving started: %1 every %2 sec</source>
        <translation>데이터 저장 시작: %1, %2초마다</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Data saved again to %1</source>
        <translation>데이터를 다시 %1에 저장함</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Data not saved to %1: %2</source>
        <translation>데이터를 %1에 저장하지 못함: %2</translation>
    </message>
    <message>
        <location filename="../../services/EventLog.cpp" line="+15"/>
        <source>Port lost: %1</source>
        <translation>포트 끊김: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port reopened</source>
        <translation>포트 다시 열림</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Answered: %1, polled from now on</source>
        <translation>응답함: %1, 이제부터 조회</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Port %1 opened at %2</source>
        <translation>포트 %1 열림 (%2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port %1 could not be opened: %2</source>
        <translation>포트 %1 열기 실패: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Port %1 closed</source>
        <translation>포트 %1 닫힘</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No station answered at %1: asking again until one does</source>
        <translation>응답한 국번 없음 (설정: %1): 응답이 있을 때까지 다시 조회</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No station answered at %1</source>
        <translation>응답한 국번 없음 (설정: %1)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No answer (NG)</source>
        <translation>응답 없음 (NG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refuses the requests: answers NG (NG)</source>
        <translation>요청 거부: NG로 응답 (NG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replies with a wrong checksum (NG)</source>
        <translation>체크섬이 틀린 응답 (NG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replies without OK (NG)</source>
        <translation>OK 없는 응답 (NG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replies that do not fit the request (NG)</source>
        <translation>요청과 맞지 않는 응답 (NG)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Answers, but not as a KX5 (NG)</source>
        <translation>응답하지만 KX5가 아님 (NG)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Answering again</source>
        <translation>다시 응답함</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Events saved again to %1</source>
        <translation>이벤트를 다시 %1에 저장함</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Events not saved to %1: %2</source>
        <translation>이벤트를 %1에 저장하지 못했습니다: %2</translation>
    </message>
    <message>
        <location filename="../../services/TraceRecorder.cpp" line="+28"/>
        <source>Trace recording on: %1</source>
        <translation>통신 기록 켜짐: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Trace recording off</source>
        <translation>통신 기록 꺼짐</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Trace file removed to keep within the limit: %1</source>
        <translation>한도를 지키려고 통신 기록 파일을 지움: %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Trace recorded again to %1</source>
        <translation>통신 기록을 다시 %1에 저장함</translation>
    </message>
</context>
<context>
    <name>KX5Link</name>
    <message>
        <location filename="../../services/LinkWords.cpp" line="+292"/>
        <source>OPEN</source>
        <extracomment>the port&apos;s state in the status bar</extracomment>
        <translation>열림</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CLOSE</source>
        <translation>닫힘</translation>
    </message>
    <message>
        <location filename="../../services/LineTexts.cpp" line="+15"/>
        <source>Port &amp;Close</source>
        <translation>포트 닫기(&amp;C)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port &amp;Open</source>
        <translation>포트 열기(&amp;O)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Port Close</source>
        <translation>포트 닫기</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port Open</source>
        <translation>포트 열기</translation>
    </message>
    <message>
        <location filename="../../services/LinkWords.cpp" line="-218"/>
        <source>MC [%1] parameters read</source>
        <translation>국번 [%1] 파라미터 읽기 완료</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC [%1] %2 written</source>
        <translation>국번 [%1] %2 쓰기 완료</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC [%1] %2 replaced by a newer request: not sent</source>
        <translation>국번 [%1] %2: 새 요청으로 바뀌어 보내지 않았습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC [%1] %2 replaced by a newer request: not finished</source>
        <translation>국번 [%1] %2: 새 요청으로 바뀌어 끝내지 못했습니다</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MC [%1] %2 not sent: the port closed</source>
        <translation>국번 [%1] %2: 포트가 닫혀 보내지 않았습니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MC [%1] %2 not confirmed: the port closed</source>
        <translation>국번 [%1] %2: 포트가 닫혀 확인하지 못했습니다</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MC [%1] ==&gt; NG: input group 612-619 not written (the port closed)</source>
        <translation>국번 [%1] ==&gt; NG: 입력 그룹 612-619를 쓰지 못했습니다 (포트 닫힘)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC [%1] ==&gt; NG: input group 612-619 refused</source>
        <translation>국번 [%1] ==&gt; NG: 조절계가 입력 그룹 612-619 쓰기를 거부했습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC [%1] ==&gt; NG: input group 612-619 not written</source>
        <translation>국번 [%1] ==&gt; NG: 입력 그룹 612-619를 쓰지 못했습니다</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>MC [%1] ==&gt; NG: parameter read refused</source>
        <translation>국번 [%1] ==&gt; NG: 조절계가 파라미터 읽기를 거부했습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC [%1] ==&gt; NG: parameter read not confirmed</source>
        <translation>국번 [%1] ==&gt; NG: 파라미터 읽기를 확인하지 못했습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC [%1] ==&gt; NG: %2 refused</source>
        <translation>국번 [%1] ==&gt; NG: 조절계가 %2 요청을 거부했습니다</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC [%1] ==&gt; NG: %2 not confirmed</source>
        <translation>국번 [%1] ==&gt; NG: %2 요청을 확인하지 못했습니다</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Not a request the link takes (step %1).</source>
        <translation>통신 라인이 받지 않는 요청입니다 (단계 %1).</translation>
    </message>
    <message>
        <location line="+3"/>
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
        <location line="+5"/>
        <source>MC %1 is not in use: %2 not sent.</source>
        <translation>국번 %1: 사용하지 않는 국번이므로 %2 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MC %1 has not answered: %2 not sent.</source>
        <translation>국번 %1: 응답이 없어 %2 요청을 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1: incomplete values, not sent.</source>
        <translation>%1: 값이 모자라 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>No MC in use: choose the stations in Use MC Setting</source>
        <translation>사용 중인 국번이 없습니다: [사용 국번 설정]에서 국번을 선택하십시오</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Checking ... (Connect status)</source>
        <translation>확인 중 ... (연결 상태)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot open %1: %2</source>
        <translation>포트 %1 열기 실패: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cannot open %1: %2; trying again</source>
        <translation>포트 %1 열기 실패: %2; 다시 시도하는 중</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cannot open %1: %2; trying again (attempt %3)</source>
        <translation>포트 %1 열기 실패: %2; 다시 시도하는 중 (%3번째 시도)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Port %1 closed: %2</source>
        <translation>포트 %1 닫힘: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port %1 lost: reopening</source>
        <translation>포트 %1 연결 끊김: 다시 여는 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port %1 lost: reopening (attempt %2)</source>
        <translation>포트 %1 연결 끊김: 다시 여는 중 (%2번째 시도)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MC [%1] ==&gt; NG</source>
        <translation>국번 [%1] ==&gt; NG</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No station answered at %1</source>
        <translation>응답한 국번 없음 (설정: %1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No station answered at %1: asking again in %2 s</source>
        <translation>응답한 국번 없음 (설정: %1): %2초 후 다시 조회</translation>
    </message>
</context>
<context>
    <name>LineScanner</name>
    <message>
        <location line="+14"/>
        <source>A scan is already running.</source>
        <translation>라인 검색이 이미 실행 중입니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The port %1 is open for polling. Close the port (Port Close) before scanning the line.</source>
        <translation>포트 %1: 폴링에 사용 중입니다. 라인 검색 전에 [포트 닫기]로 포트를 닫으십시오.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Nothing to scan.</source>
        <translation>검색할 대상이 없습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The port %1 could not be opened at %2: %3</source>
        <translation>%2 설정으로 포트 %1 열기에 실패했습니다: %3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The port %1 failed during the scan: %2</source>
        <translation>라인 검색 중 포트 %1에 오류가 생겼습니다: %2</translation>
    </message>
</context>
<context>
    <name>QtSerialPort</name>
    <message>
        <location line="-112"/>
        <source>no such port</source>
        <translation>포트가 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>port in use by another program</source>
        <translation>다른 프로그램이 포트를 사용 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>port in use by another program or access denied</source>
        <translation>다른 프로그램이 포트를 사용 중이거나 접근 권한이 없음</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>no permission to use %1: run &quot;sudo usermod -aG %2 $USER&quot;, then log out and in again</source>
        <translation>%1 사용 권한 없음: &quot;sudo usermod -aG %2 $USER&quot; 명령을 실행한 후 로그아웃했다가 다시 로그인하십시오</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>port is already open</source>
        <translation>포트가 이미 열려 있음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>device disconnected or not responding</source>
        <translation>장치가 분리되었거나 응답 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>cannot write to the device</source>
        <translation>장치에 쓸 수 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>settings not supported by the device</source>
        <translation>장치가 지원하지 않는 설정</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>line settings &quot;%1&quot; are incomplete</source>
        <translation>통신 설정이 불완전함: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>baud rate &quot;%1&quot; is not a number</source>
        <translation>통신 속도가 숫자가 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>parity &quot;%1&quot; is not N, E, O, M or S</source>
        <translation>패리티가 N, E, O, M, S 중 하나가 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>data bits &quot;%1&quot; are not 5 to 8</source>
        <translation>데이터 비트가 5~8이 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>stop bits &quot;%1&quot; are not 1, 1.5 or 2</source>
        <translation>정지 비트가 1, 1.5, 2 중 하나가 아님: &quot;%1&quot;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the port does not accept %1</source>
        <translation>포트가 %1 설정을 받아들이지 않음</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>port error</source>
        <translation>포트 오류</translation>
    </message>
</context>
<context>
    <name>Request</name>
    <message>
        <location line="-186"/>
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
    <name>TraceRecorder</name>
    <message>
        <location filename="../../services/TraceRecorder.cpp" line="+3"/>
        <source>Trace not recorded to %1: %2</source>
        <translation>통신 기록을 %1에 저장하지 못했습니다: %2</translation>
    </message>
</context>
</TS>
