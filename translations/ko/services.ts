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
        <location filename="../../services/DataLogger.cpp" line="+96"/>
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
        <location filename="../../services/DataLogger.cpp" line="-78"/>
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
        <location filename="../../services/EventLog.cpp" line="+12"/>
        <source>Date Time</source>
        <translation>날짜·시간</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Event</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <location line="+6"/>
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
        <location line="+7"/>
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
        <location line="+26"/>
        <source>Events saved again to %1</source>
        <translation>이벤트를 다시 %1에 저장함</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Events not saved to %1: %2</source>
        <translation>이벤트를 %1에 저장하지 못했습니다: %2</translation>
    </message>
    <message>
        <location filename="../../services/TraceRecorder.cpp" line="+27"/>
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
        <location filename="../../services/LineTexts.cpp" line="+18"/>
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
        <location line="+15"/>
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
        <location line="+17"/>
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
        <location line="+3"/>
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
        <location line="+3"/>
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
    <name>TraceRecorder</name>
    <message>
        <location filename="../../services/TraceRecorder.cpp" line="+3"/>
        <source>Trace not recorded to %1: %2</source>
        <translation>통신 기록을 %1에 저장하지 못했습니다: %2</translation>
    </message>
</context>
</TS>
