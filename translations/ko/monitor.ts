<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>AlarmListDialog</name>
    <message>
        <location filename="../../monitor/AlarmListDialog.cpp" line="+19"/>
        <location line="+4"/>
        <source>Alarms</source>
        <translation>경보</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Sound</source>
        <translation>경보음[&amp;S]</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Acknowledge</source>
        <translation>확인[&amp;A]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Acknowledge A&amp;ll</source>
        <translation>모두 확인[&amp;L]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Close</source>
        <translation>닫기[&amp;C]</translation>
    </message>
</context>
<context>
    <name>AlarmTableModel</name>
    <message>
        <location filename="../../monitor/AlarmTableModel.cpp" line="+10"/>
        <source>Raised</source>
        <translation>발생 시각</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Station</source>
        <translation>설비명</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alarm</source>
        <translation>경보</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Value</source>
        <translation>값</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>State</source>
        <translation>상태</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Acknowledged</source>
        <translation>확인 시각</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>By</source>
        <translation>확인자</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cleared</source>
        <translation>해제 시각</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Active, not acknowledged</source>
        <translation>발생, 미확인</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Active, acknowledged</source>
        <translation>발생, 확인함</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cleared, not acknowledged</source>
        <translation>해제, 미확인</translation>
    </message>
</context>
<context>
    <name>DataSaveSwitch</name>
    <message>
        <location filename="../../monitor/DataSaveSwitch.cpp" line="+55"/>
        <source>Stop Saving</source>
        <translation>저장 정지</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop data saving?
No records go to %1 until saving is started again.</source>
        <translation>데이터 저장을 정지할까요?
다시 시작할 때까지 기록되지 않습니다: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Stop Save</source>
        <translation>저장 정지</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Sa&amp;ving...</source>
        <translation>저장 정지(&amp;V)...</translation>
    </message>
    <message>
        <location line="-1"/>
        <location line="+1"/>
        <source>Start Sa&amp;ve</source>
        <translation>저장 시작(&amp;V)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Saving to %1</source>
        <translation>저장 중: %1</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Not saving</source>
        <translation>저장 안 함</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not saving: the port is closed</source>
        <translation>저장 안 함: 포트가 닫혀 있음</translation>
    </message>
    <message numerus="yes">
        <location line="+23"/>
        <source>Since %1: %n records today</source>
        <translation>
            <numerusform>%1부터 오늘 %n건 기록</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, MC %1 last %2</source>
        <translation>, 국번 %1 마지막 기록 %2</translation>
    </message>
</context>
<context>
    <name>EventLog</name>
    <message>
        <location filename="../../monitor/SettingsEvents.cpp" line="+54"/>
        <source>Port settings changed: %1</source>
        <translation>포트 설정 변경: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stations in use changed: %1</source>
        <translation>사용 국번 변경: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Data save settings changed: %1</source>
        <translation>데이터 저장 설정 변경: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Publishing settings changed: %1</source>
        <translation>MQTT 게시 설정 변경: %1</translation>
    </message>
    <message>
        <location filename="../../monitor/MainTables.cpp" line="+37"/>
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
</context>
<context>
    <name>Lamp</name>
    <message>
        <location filename="../../monitor/Lamp.cpp" line="+15"/>
        <location line="+23"/>
        <source>off</source>
        <translation>꺼짐</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>on</source>
        <translation>켜짐</translation>
    </message>
    <message>
        <location line="-16"/>
        <source>lit when: %1</source>
        <translation>켜지는 때: %1</translation>
    </message>
</context>
<context>
    <name>LineStatisticsDialog</name>
    <message>
        <location filename="../../monitor/LineStatisticsDialog.cpp" line="+14"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Requests</source>
        <translation>요청</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Good</source>
        <translation>정상</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time-outs</source>
        <translation>시간 초과</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NG</source>
        <translation>NG</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bad sum</source>
        <translation>체크섬 오류</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No OK</source>
        <translation>OK 없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unmatched</source>
        <translation>불일치</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last good reply</source>
        <translation>마지막 정상 응답</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mean ms</source>
        <translation>평균 ms</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Worst ms</source>
        <translation>최대 ms</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Line Statistics</source>
        <translation>통신 라인 통계</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Line statistics</source>
        <translation>통신 라인 통계</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Reset</source>
        <translation>초기화(&amp;R)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Close</source>
        <translation>닫기(&amp;C)</translation>
    </message>
</context>
<context>
    <name>MainCommands</name>
    <message>
        <location filename="../../monitor/MainCommands.cpp" line="+15"/>
        <source>Use MC Setting</source>
        <translation>사용 국번 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Data Save Setting</source>
        <translation>데이터 저장 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port Setting</source>
        <translation>포트 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port Open</source>
        <translation>포트 열기</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Multi-Monitoring</source>
        <translation>멀티 모니터링</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Parameter Setting</source>
        <translation>파라미터 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help</source>
        <translation>도움말</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>KX5 Manual</source>
        <translation>KX5 매뉴얼</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Graph Viewer</source>
        <translation>그래프 뷰어</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&amp;Setup</source>
        <translation>설정(&amp;S)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use &amp;MC Setting</source>
        <translation>사용 국번 설정(&amp;M)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Scan Line...</source>
        <translation>라인 검색(&amp;S)...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Data Save Setting</source>
        <translation>데이터 저장 설정(&amp;D)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Port Setting</source>
        <translation>포트 설정(&amp;P)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>P&amp;ublishing...</source>
        <translation>MQTT 게시(&amp;U)...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Port &amp;Open</source>
        <translation>포트 열기(&amp;O)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Program &amp;Quit</source>
        <translation>프로그램 종료(&amp;Q)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Online</source>
        <translation>온라인(&amp;O)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Multi-Monitoring</source>
        <translation>멀티 모니터링(&amp;M)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Parameter Setting</source>
        <translation>파라미터 설정(&amp;P)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Line &amp;Statistics</source>
        <translation>통신 라인 통계(&amp;S)</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+4"/>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>&amp;About</source>
        <translation>정보(&amp;A)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>KX5 &amp;Manual</source>
        <translation>KX5 매뉴얼(&amp;M)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Graph Viewer</source>
        <translation>그래프 뷰어(&amp;G)</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>No station answered at %1.
Check that the controllers are on and wired, and that they use these settings.

Scan the line for the stations and their settings?</source>
        <translation>응답한 국번이 없습니다 (설정: %1).
조절계의 전원과 배선, 그리고 조절계가 이 설정을 쓰는지 확인하십시오.

라인을 검색해 국번과 그 설정을 찾으시겠습니까?</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>&amp;Alarms...</source>
        <translation>경보 목록[&amp;A]...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Trend of Several Stations...</source>
        <translation>여러 국번 트렌드[&amp;T]...</translation>
    </message>
</context>
<context>
    <name>MainStatusBar</name>
    <message>
        <location filename="../../monitor/MainStatusBar.cpp" line="+37"/>
        <source>S</source>
        <extracomment>lamp of the status bar: Send</extracomment>
        <translation>송</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a request is being sent</source>
        <translation>요청 송신 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>R</source>
        <extracomment>lamp of the status bar: Receive</extracomment>
        <translation>수</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a reply is coming in</source>
        <translation>응답 수신 중</translation>
    </message>
    <message numerus="yes">
        <location line="+27"/>
        <source>Alarms: %n not acknowledged</source>
        <translation>
            <numerusform>미확인 경보 %n건</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainTables</name>
    <message>
        <location filename="../../monitor/MainTables.cpp" line="+24"/>
        <location line="+16"/>
        <source>Monitoring</source>
        <translation>모니터링</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Communication trace</source>
        <translation>통신 기록</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Save &amp;Trace...</source>
        <translation>통신 기록 저장(&amp;T)...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Record Trace to the data folder</source>
        <translation>데이터 폴더에 통신 기록 남기기(&amp;R)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Every frame, with its time and direction, to a daily file beside the data files</source>
        <translation>모든 프레임을 시각과 방향과 함께 데이터 파일 옆의 일별 파일에 기록합니다</translation>
    </message>
    <message>
        <location line="+5"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep at most</source>
        <translation>최대 보관 용량</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep at &amp;most</source>
        <translation>최대 보관 용량(&amp;M)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Communication</source>
        <translation>통신</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <source>Events</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <location line="+66"/>
        <location line="+5"/>
        <source>Save Trace</source>
        <translation>통신 기록 저장</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>텍스트 파일 (*.txt);;모든 파일 (*)</translation>
    </message>
</context>
<context>
    <name>MonitorTableModel</name>
    <message>
        <location filename="../../monitor/MonitorTableModel.cpp" line="+12"/>
        <source>INP</source>
        <translation>INP</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>UNIT</source>
        <translation>UNIT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DP-P</source>
        <translation>DP-P</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NPV</source>
        <translation>NPV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NSV</source>
        <translation>NSV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NRSV</source>
        <translation>NRSV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SSV</source>
        <translation>SSV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MVOUT</source>
        <translation>MVOUT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PIDNO</source>
        <translation>PIDNO</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ALMSTS</source>
        <translation>ALMSTS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ERRSTS</source>
        <translation>ERRSTS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MODSTS</source>
        <translation>MODSTS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COMSTS</source>
        <translation>COMSTS</translation>
    </message>
</context>
<context>
    <name>MultiTrendWindow</name>
    <message>
        <location filename="../../monitor/MultiTrendWindow.cpp" line="+28"/>
        <source>Trend of Several Stations</source>
        <translation>여러 국번 트렌드</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stations on the trend</source>
        <translation>트렌드에 표시할 국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>S&amp;V, dashed</source>
        <translation>SV, 파선[&amp;V]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;MV, dotted</source>
        <translation>MV, 점선[&amp;M]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Pause</source>
        <translation>일시 정지[&amp;P]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>S&amp;croll</source>
        <translation>스크롤[&amp;C]</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+93"/>
        <source>Up to %1 stations</source>
        <translation>최대 %1개 국번</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>Save &amp;Image...</source>
        <translation>이미지로 저장[&amp;I]...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save C&amp;SV...</source>
        <translation>CSV로 저장[&amp;S]...</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV, SV</source>
        <translation>PV, SV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MV (%)</source>
        <translation>MV (%)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Stations:</source>
        <translation>국번:</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>At most %1 stations: take one off first</source>
        <translation>최대 %1개 국번까지입니다. 먼저 하나를 빼십시오</translation>
    </message>
    <message>
        <location line="+150"/>
        <source>Save Image</source>
        <translation>이미지로 저장</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PNG image (*.png);;PDF (*.pdf)</source>
        <translation>PNG 이미지 (*.png);;PDF 문서 (*.pdf)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Save CSV</source>
        <translation>CSV로 저장</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Could not write %1: %2</source>
        <translation>%1에 쓰지 못했습니다: %2</translation>
    </message>
</context>
<context>
    <name>SettingsEvents</name>
    <message>
        <location filename="../../monitor/SettingsEvents.cpp" line="-44"/>
        <source>on</source>
        <translation>켜짐</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+19"/>
        <source>off</source>
        <translation>꺼짐</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>allowed</source>
        <translation>허용</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>not allowed</source>
        <translation>허용 안 함</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>min</source>
        <translation>분</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sec</source>
        <translation>초</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>on, to %1 with TLS, topics %2/...</source>
        <translation>켜짐, %1(TLS 사용), 토픽 %2/...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>on, to %1, topics %2/...</source>
        <translation>켜짐, %1, 토픽 %2/...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 at %2 %3, fast polling %4, a lost port reopened %5</source>
        <translation>%1, %2 %3, 빠른 폴링 %4, 끊긴 포트 다시 열기 %5</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>saving %1, every %2 %3, to %4</source>
        <translation>저장 %1, %2%3마다, %4에</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>none</source>
        <translation>없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC %1</source>
        <translation>국번 %1</translation>
    </message>
</context>
<context>
    <name>SingleDisplay</name>
    <message>
        <location filename="../../monitor/SingleDisplay.cpp" line="+82"/>
        <source>PV</source>
        <extracomment>controller mnemonics, the same in every language</extracomment>
        <translation>PV</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>SV</source>
        <translation>SV</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>MV</source>
        <translation>MV</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>PV unit</source>
        <translation>PV 단위</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SV unit</source>
        <translation>SV 단위</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>AL1</source>
        <translation>AL1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>alarm 1 is on</source>
        <translation>경보 1 발생</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AL2</source>
        <translation>AL2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>alarm 2 is on</source>
        <translation>경보 2 발생</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SV2</source>
        <translation>SV2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>set value 2 is in use</source>
        <translation>설정값 2 사용 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SV3</source>
        <translation>SV3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>set value 3 is in use</source>
        <translation>설정값 3 사용 중</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AT</source>
        <translation>AT</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>auto-tuning is running</source>
        <translation>오토튜닝 실행 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the output is above 0 %</source>
        <translation>출력이 0%보다 큼</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV BOUT</source>
        <translation>PV BOUT</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>RJC ERR</source>
        <translation>RJC ERR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV POVR</source>
        <translation>PV POVR</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PV MOVR</source>
        <translation>PV MOVR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AT ERR</source>
        <translation>AT ERR</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>input burn-out (sensor open)</source>
        <translation>입력 단선 (센서 개방)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>reference junction compensation error</source>
        <translation>기준 접점 보상 오류</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PV above the input range</source>
        <translation>PV가 입력 범위를 넘음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV below the input range</source>
        <translation>PV가 입력 범위에 못 미침</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>auto-tuning failed</source>
        <translation>오토튜닝 실패</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>List</source>
        <translation>List</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Feed</source>
        <translation>Feed</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Print Speed </source>
        <translation>기록 속도 </translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+8"/>
        <source>Print Speed</source>
        <translation>기록 속도</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>24 to 900; Return to change</source>
        <translation>24~900, Enter 키로 변경</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Click or press Return to change</source>
        <translation>클릭하거나 Enter 키를 눌러 변경합니다</translation>
    </message>
</context>
<context>
    <name>StationPanel</name>
    <message>
        <location filename="../../monitor/StationPanel.cpp" line="+38"/>
        <source>Stations</source>
        <translation>국번 목록</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Edit MC</source>
        <translation>선택 국번</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Selected MC No</source>
        <translation>선택한 국번</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+6"/>
        <source>Data Save</source>
        <translation>데이터 저장</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Data Save Interval</source>
        <translation>데이터 저장 주기</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Data Save Interval Unit</source>
        <translation>데이터 저장 주기 단위</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Interval</source>
        <translation>주기</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Yes</source>
        <translation>예</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No</source>
        <translation>아니요</translation>
    </message>
    <message>
        <location line="-65"/>
        <source>Selected station&apos;s description</source>
        <translation>선택한 국번의 설명</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Start Sa&amp;ve</source>
        <translation>저장 시작(&amp;V)</translation>
    </message>
</context>
<context>
    <name>StationTableModel</name>
    <message>
        <location filename="../../monitor/StationTableModel.cpp" line="+8"/>
        <source> MC No</source>
        <translation> 국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Conn-State</source>
        <translation>연결 상태</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Description</source>
        <translation>설명</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>MC %1</source>
        <translation>국번 %1</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <location filename="../../monitor/TrendChart.cpp" line="+72"/>
        <source>SV</source>
        <translation>SV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV</source>
        <translation>PV</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+154"/>
        <source>MV</source>
        <translation>MV</translation>
    </message>
    <message>
        <location line="-136"/>
        <source>Save Graph as Image...</source>
        <translation>그래프를 이미지로 저장...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Print Graph...</source>
        <translation>그래프 인쇄...</translation>
    </message>
    <message>
        <location line="+132"/>
        <source>Temp</source>
        <extracomment>title of the graph&apos;s left axis: temperature</extracomment>
        <translation>온도</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <location line="+188"/>
        <location line="+4"/>
        <source>Save Graph</source>
        <translation>그래프 저장</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation>PNG 이미지 (*.png);;PDF 문서 (*.pdf)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Print Graph</source>
        <translation>그래프 인쇄</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cannot start printing.</source>
        <translation>인쇄를 시작할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>TrendPanel</name>
    <message>
        <location filename="../../monitor/TrendPanel.cpp" line="+20"/>
        <source>Trend graph</source>
        <translation>트렌드 그래프</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Scroll</source>
        <translation>스크롤</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Interval</source>
        <translation>주기</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Graph interval (sec, 1~60)</source>
        <translation>그래프 주기 (초, 1~60)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>sec (1~60)</source>
        <translation>초 (1~60)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>No values yet</source>
        <translation>아직 값 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No new values since %1</source>
        <translation>새 값 없음 (마지막 값: %1)</translation>
    </message>
    <message>
        <location line="-44"/>
        <location line="+89"/>
        <source>Start &amp;Graph</source>
        <translation>그래프 시작(&amp;G)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Stop &amp;Graph</source>
        <translation>그래프 정지(&amp;G)</translation>
    </message>
</context>
<context>
    <name>frmD_Edit</name>
    <message>
        <location filename="../../monitor/frmD_Edit.cpp" line="+23"/>
        <location line="+3"/>
        <source>Old Value</source>
        <translation>현재값</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Change Value</source>
        <translation>변경값</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>MC %1</source>
        <translation>국번 %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Input Change Value.</source>
        <translation>변경값을 입력하십시오.</translation>
    </message>
</context>
<context>
    <name>frmKX5_Main</name>
    <message>
        <location filename="../../monitor/frmKX5_Main.cpp" line="+41"/>
        <source>KX5 Communication Program</source>
        <translation>KX5 통신 프로그램</translation>
    </message>
    <message>
        <location line="+178"/>
        <source>Stop &amp;Graph</source>
        <translation>그래프 정지(&amp;G)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start &amp;Graph</source>
        <translation>그래프 시작(&amp;G)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Publishing: not available yet</source>
        <translation>MQTT 게시: 아직 사용할 수 없습니다</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>%1: not available yet</source>
        <translation>%1: 아직 사용할 수 없습니다</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>Record Trace</source>
        <translation>통신 기록</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Confirm</source>
        <translation>확인</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Exit?</source>
        <translation>종료하시겠습니까?</translation>
    </message>
    <message>
        <location line="-166"/>
        <source>Port Close</source>
        <translation>포트 닫기</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Close the port?</source>
        <translation>포트를 닫을까요?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Polling stops, and no data is saved until the port is opened again.</source>
        <translation>포트를 다시 열 때까지 폴링이 멈추고 데이터도 저장되지 않습니다.</translation>
    </message>
    <message>
        <location line="+166"/>
        <source>The port closes: polling, data saving and publishing stop.</source>
        <translation>포트가 닫히고 폴링, 데이터 저장, 게시가 멈춥니다.</translation>
    </message>
</context>
<context>
    <name>frmKX5_Multi</name>
    <message>
        <location filename="../../monitor/frmKX5_Multi.cpp" line="+123"/>
        <location line="+108"/>
        <source>Multi-Monitoring</source>
        <translation>멀티 모니터링</translation>
    </message>
    <message>
        <location line="-74"/>
        <source> MC No</source>
        <translation> 국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Conn-State</source>
        <translation>연결 상태</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV</source>
        <translation>PV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SV</source>
        <translation>SV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MV</source>
        <translation>MV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PID NO</source>
        <translation>PID 번호</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ALARM</source>
        <translation>경보</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ERROR</source>
        <translation>오류</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MODSTS</source>
        <translation>MODSTS</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Print</source>
        <translation>기록계</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>PV  BOUT</source>
        <translation>PV  BOUT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RJC ERR</source>
        <translation>RJC ERR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV  POVR</source>
        <translation>PV  POVR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV  MOVR</source>
        <translation>PV  MOVR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AT  ERR</source>
        <translation>AT  ERR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AUT/MAN</source>
        <translation>AUT/MAN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>JC</source>
        <translation>JC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MINUS</source>
        <translation>MINUS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RUN</source>
        <translation>RUN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PROG</source>
        <translation>PROG</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WAIT</source>
        <translation>WAIT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AT</source>
        <translation>AT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CONTROL</source>
        <translation>키 조작</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SPEED</source>
        <translation>속도</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>&amp;Close</source>
        <translation>닫기(&amp;C)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Message</source>
        <translation>메시지</translation>
    </message>
    <message>
        <location line="+211"/>
        <source>Click =&gt; Edit Value</source>
        <translation>클릭 =&gt; 값 변경</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Edit Print Speed</source>
        <translation>기록 속도 변경</translation>
    </message>
</context>
</TS>
