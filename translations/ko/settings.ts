<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>GatewayCountsTable</name>
    <message>
        <location filename="../../settings/GatewayCountsTable.cpp" line="+7"/>
        <source>Counted since the gateway started</source>
        <translation>게이트웨이가 시작한 뒤 센 횟수</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client or unit</source>
        <translation>클라이언트 또는 유닛</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Requests</source>
        <translation>요청</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Answers</source>
        <translation>응답</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exceptions</source>
        <translation>예외</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Time-outs</source>
        <translation>타임아웃</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Writes</source>
        <translation>쓰기</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Refused</source>
        <translation>거부</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>MC %1</source>
        <translation>MC %1</translation>
    </message>
</context>
<context>
    <name>GatewayDialog</name>
    <message>
        <location filename="../../settings/GatewayDialog.cpp" line="+28"/>
        <source>Modbus TCP Gateway</source>
        <translation>Modbus TCP 게이트웨이</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Serve every station as a Modbus TCP unit (unit id = MC No)</source>
        <translation>모든 국번을 Modbus TCP 유닛으로 제공(&amp;S) (유닛 ID = 국번)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Serve every station as a Modbus TCP unit</source>
        <translation>모든 국번을 Modbus TCP 유닛으로 제공</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Listen address</source>
        <translation>수신 대기 주소</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>127.0.0.1: this computer only; 0.0.0.0: every network</source>
        <translation>127.0.0.1: 이 컴퓨터만, 0.0.0.0: 모든 네트워크</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Listen &amp;address:</source>
        <translation>수신 대기 주소(&amp;A):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Port:</source>
        <translation>포트(&amp;P):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Most clients at once</source>
        <translation>최대 동시 클라이언트</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Most clients at once:</source>
        <translation>최대 동시 클라이언트(&amp;M):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Allow &amp;writes (function codes 06 and 16)</source>
        <translation>쓰기 허용(&amp;W) (기능 코드 06, 16)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Allow writes</source>
        <translation>쓰기 허용</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Registers clients may write</source>
        <translation>클라이언트가 쓸 수 있는 레지스터</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Registers and ranges, separated by commas, e.g. 301-303,501-506</source>
        <translation>레지스터와 범위를 쉼표로 구분합니다. 예: 301-303,501-506</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Registers clients may write:</source>
        <translation>클라이언트가 쓸 수 있는 레지스터(&amp;R):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Longest wait for an answer</source>
        <translation>응답 최대 대기</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+7"/>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>A request that needs the line and is not answered within this time gets exception 0B. Keep it below the clients&apos; own time-out.</source>
        <translation>라인이 필요한 요청에 이 시간 안에 답하지 못하면 예외 0B를 돌려줍니다. 클라이언트 자체의 타임아웃보다 짧게 두십시오.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Lon&amp;gest wait for an answer:</source>
        <translation>응답 최대 대기(&amp;G):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Serial response time-out</source>
        <translation>시리얼 응답 타임아웃</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>from the line&apos;s speed</source>
        <translation>라인 속도에 따라</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>How long each of the three tries of a client&apos;s request waits for the controller&apos;s answer. From the line&apos;s speed: the frames&apos; wire time and 600 ms. Shorter, so that a request given up ends within the longest wait.</source>
        <translation>클라이언트 요청을 세 번까지 보낼 때 한 번마다 조절계의 응답을 기다리는 시간. 라인 속도에 따라: 프레임의 전송 시간에 600ms를 더한 값. 더 짧게 두면 포기한 요청이 응답 최대 대기 안에 끝납니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Serial response t&amp;ime-out:</source>
        <translation>시리얼 응답 타임아웃(&amp;I):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close a silent connection after</source>
        <translation>조용한 접속 끊기</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> s</source>
        <translation>초</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>never</source>
        <translation>안 함</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close a silent co&amp;nnection after:</source>
        <translation>조용한 접속 끊기(&amp;N):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Trusted clients</source>
        <translation>신뢰하는 클라이언트</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>any; or e.g. 192.168.1.0/24,10.0.0.5</source>
        <translation>모두. 또는 예: 192.168.1.0/24,10.0.0.5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Addresses and networks that may connect, separated by commas; others are refused and counted. Empty: any.</source>
        <translation>접속할 수 있는 주소와 네트워크를 쉼표로 나누어 적습니다. 다른 곳의 접속은 거부하고 횟수를 셉니다. 비워 두면 모두 받습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Trusted clients:</source>
        <translation>신뢰하는 클라이언트(&amp;T):</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>%1 is not a register 0 to 699 or a range of them, such as 301-303.</source>
        <translation>%1은(는) 0~699의 레지스터나 301-303 같은 범위가 아닙니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is not an address or a network, such as 192.168.1.0/24.</source>
        <translation>%1은(는) 192.168.1.0/24 같은 주소나 네트워크가 아닙니다.</translation>
    </message>
</context>
<context>
    <name>PublishingDialog</name>
    <message>
        <location filename="../../settings/PublishingDialog.cpp" line="+50"/>
        <source>Choose %1</source>
        <translation>%1 선택</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Publishing</source>
        <translation>MQTT 게시</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Publish every station&apos;s values to an MQTT broker</source>
        <translation>모든 국번의 값을 MQTT 브로커에 게시(&amp;P)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Broker</source>
        <translation>브로커</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Host:</source>
        <translation>호스트(&amp;H):</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>P&amp;ort:</source>
        <translation>포트(&amp;O):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use &amp;TLS</source>
        <translation>TLS 사용(&amp;T)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CA file</source>
        <translation>CA 파일</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CA file:</source>
        <translation>CA 파일:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>empty: the system&apos;s certificate authorities</source>
        <translation>비워 두면: 시스템의 인증 기관</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client certificate</source>
        <translation>클라이언트 인증서</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client certificate:</source>
        <translation>클라이언트 인증서:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>optional</source>
        <translation>선택 사항</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client key</source>
        <translation>클라이언트 키</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Client key:</source>
        <translation>클라이언트 키:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>empty: none</source>
        <translation>비워 두면: 없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;User name:</source>
        <translation>사용자 이름(&amp;U):</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Pass&amp;word:</source>
        <translation>비밀번호(&amp;W):</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>On chan&amp;ge by more than</source>
        <translation>변화 시 게시, 불감대(&amp;G)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Dead band, in the value&apos;s own unit</source>
        <translation>불감대(값의 단위)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PV and SV in their unit (degrees, V or mV), MV in percent; 0: any change</source>
        <translation>PV와 SV는 그 단위(온도, V 또는 mV), MV는 %; 0: 모든 변화</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>at least every</source>
        <translation>최소 게시 간격</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Seconds between publications of a steady station</source>
        <translation>변화 없는 국번의 게시 간격(초)</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Announce the stations to Home &amp;Assistant</source>
        <translation>Home Assistant에 국번 알리기(&amp;A)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MQTT discovery: each station&apos;s PV, SV, MV and lamps appear in Home Assistant without configuration</source>
        <translation>MQTT 디스커버리: 설정 없이 각 국번의 PV, SV, MV와 램프가 Home Assistant에 나타남</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Disco&amp;very prefix:</source>
        <translation>디스커버리 접두어(&amp;V):</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Publishing is off until this is put right: %1</source>
        <translation>이 문제를 바로잡을 때까지 게시가 꺼져 있습니다: %1</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>%1/&lt;MC No&gt; (JSON), .../pv, .../sv, .../mv, .../availability; %1/status</source>
        <extracomment>The topics as published; only &quot;&lt;MC No&gt;&quot; and &quot;JSON&quot; are words to translate.</extracomment>
        <translation>%1/&lt;국번&gt; (JSON), .../pv, .../sv, .../mv, .../availability; %1/status</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>empty: %1</source>
        <translation>비워 두면: %1</translation>
    </message>
    <message>
        <location line="-196"/>
        <source>&amp;Client id:</source>
        <translation>클라이언트 ID(&amp;C):</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Messages</source>
        <translation>메시지</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Topic p&amp;refix:</source>
        <translation>토픽 접두어(&amp;R):</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Line name:</source>
        <translation>라인 이름(&amp;L):</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Topics:</source>
        <translation>토픽:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Every</source>
        <translation>간격(&amp;E)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Seconds between publications</source>
        <translation>게시 간격(초)</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+16"/>
        <source> s</source>
        <translation>초</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Publish:</source>
        <translation>게시:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>0: at most once</source>
        <translation>0: 최대 한 번</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>1: at least once</source>
        <translation>1: 최소 한 번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;QoS:</source>
        <translation>QoS(&amp;Q):</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Te&amp;st</source>
        <translation>테스트(&amp;S)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Test</source>
        <translation>테스트</translation>
    </message>
    <message>
        <location line="+120"/>
        <source>Connecting to %1:%2...</source>
        <translation>%1:%2에 연결하는 중...</translation>
    </message>
    <message>
        <location line="-185"/>
        <source>Every repl&amp;y</source>
        <translation>응답마다(&amp;Y)</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Retai&amp;ned (a new subscriber gets the last values at once)</source>
        <translation>보존 메시지(&amp;N) (새 구독자가 마지막 값을 바로 받음)</translation>
    </message>
</context>
<context>
    <name>ScanLineDialog</name>
    <message>
        <location filename="../../settings/ScanLineDialog.cpp" line="+25"/>
        <source>%1 s</source>
        <translation>%1초</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 min %2 s</source>
        <translation>%1분 %2초</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Scan Line</source>
        <translation>라인 검색</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Port %1 at %2</source>
        <translation>포트 %1, %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Also try every rate with both protocols (STD, SUM)</source>
        <translation>모든 통신 속도를 두 프로토콜(STD, SUM)로도 시도</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Stations that answered</source>
        <translation>응답한 국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Scan progress</source>
        <translation>검색 진행률</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Only the model query is sent: no controller is changed.</source>
        <translation>모델 조회만 보냅니다. 조절계는 바뀌지 않습니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Start</source>
        <translation>시작(&amp;S)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Asking MC %1 at %2 (at most %3 left) ...</source>
        <translation>국번 %1 조회 중, 설정 %2 (남은 시간 최대 %3)...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Only the model query is sent: no controller is changed. The scan takes at most %1.</source>
        <translation>모델 조회만 보냅니다. 조절계는 바뀌지 않습니다. 검색 시간: 최대 %1.</translation>
    </message>
    <message>
        <location line="+112"/>
        <source>%1: MC %2</source>
        <translation>%1: 국번 %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The stations answered at different settings:
%1

All controllers on one line must use the same settings; the others will not answer until each is set to them on its front panel.</source>
        <translation>국번들이 서로 다른 설정으로 응답했습니다:
%1

한 라인의 모든 조절계는 같은 설정을 써야 합니다. 나머지 조절계는 각 조절계의 전면 패널에서 그 설정으로 바꿀 때까지 응답하지 않습니다.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1

Take %2, at which the most stations answered, into Port Setting?</source>
        <translation>%1

가장 많은 국번이 응답한 설정(%2)을 [포트 설정]에 적용하시겠습니까?</translation>
    </message>
    <message>
        <location line="-38"/>
        <source>Cancelled: %1 station(s) answered.</source>
        <translation>취소됨: 국번 %1개가 응답했습니다.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Done: %1 station(s) answered.</source>
        <translation>완료: 국번 %1개가 응답했습니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mark the %1 station(s) that answered &quot;O&quot; in the Use column?</source>
        <translation>응답한 국번 %1개를 사용 열에 &quot;O&quot;로 표시하시겠습니까?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC %1 did not answer at any setting tried. Mark it &quot;X&quot; (not in use), so that the line is not held up asking it?</source>
        <translation>다음 국번은 시도한 어떤 설정에서도 응답하지 않았습니다: %1. 라인이 이 국번을 조회하느라 지체되지 않도록 &quot;X&quot;(사용 안 함)로 표시하시겠습니까?</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Take the settings they answered at (%1) into Port Setting?</source>
        <translation>응답한 설정(%1)을 [포트 설정]에 적용하시겠습니까?</translation>
    </message>
</context>
<context>
    <name>frmDSave_Folder</name>
    <message>
        <location filename="../../settings/frmDSave_Folder.cpp" line="+66"/>
        <source>Select Folder</source>
        <translation>폴더 선택</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Folders</source>
        <translation>폴더</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drive</source>
        <translation>드라이브</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;New Folder...</source>
        <translation>새 폴더(&amp;N)...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Selected &amp;Folder</source>
        <translation>선택한 폴더(&amp;F)</translation>
    </message>
    <message>
        <location line="+93"/>
        <source>the drive is not ready or no longer mounted</source>
        <translation>드라이브가 준비되지 않았거나 마운트가 해제됨</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>access is denied</source>
        <translation>접근이 거부됨</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cannot read drive %1: %2.</source>
        <translation>%1 드라이브를 읽을 수 없습니다: %2.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 does not exist. Create it?</source>
        <translation>%1 폴더가 없습니다. 만드시겠습니까?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot create %1: check that its parent folder exists and may be written.</source>
        <translation>%1 폴더를 만들 수 없습니다. 상위 폴더가 있고 쓰기가 가능한지 확인하십시오.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>New Folder</source>
        <translation>새 폴더</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name of the new folder in %1:</source>
        <translation>%1 안에 만들 새 폴더의 이름:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Cannot create %1: the folder may not be written.</source>
        <translation>%1 폴더를 만들 수 없습니다. 이 폴더에는 쓸 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>frmKX5_About</name>
    <message>
        <location filename="../../settings/frmKX5_About.cpp" line="+33"/>
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>KX5 Communication Program</source>
        <translation>KX5 통신 프로그램</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Version %1</source>
        <translation>버전 %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Close</source>
        <translation>닫기(&amp;C)</translation>
    </message>
</context>
<context>
    <name>frmKX5_SetDT</name>
    <message>
        <location filename="../../settings/frmKX5_SetDT.cpp" line="+50"/>
        <source>Date Time Setting</source>
        <translation>날짜·시간 설정</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Date</source>
        <translation>날짜</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+91"/>
        <source>Follow the PC clock</source>
        <translation>PC 시계 따르기</translation>
    </message>
    <message>
        <location line="-83"/>
        <source>&amp;Set</source>
        <translation>설정(&amp;S)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Close</source>
        <translation>닫기(&amp;C)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>PC - Current Date Time</source>
        <translation>PC - 현재 날짜·시간</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>KX5 - Set Value</source>
        <translation>KX5 - 설정값</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>From the clock of MC %1 as last read.</source>
        <translation>MC %1의 시계를 마지막으로 읽은 값에서 시작합니다.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>From the PC clock when this window opened.</source>
        <translation>이 창이 열릴 때의 PC 시계에서 시작합니다.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Following the PC clock: click to stop</source>
        <translation>PC 시계를 따르는 중: 클릭하면 멈춥니다</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>a date from 1990-01-01 to 2100-12-31 (YYYY‑MM‑DD)</source>
        <translation>1990-01-01부터 2100-12-31까지의 날짜 (YYYY‑MM‑DD)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a time from 00:00:00 to 23:59:59 (HH:MM:SS)</source>
        <translation>00:00:00부터 23:59:59까지의 시간 (HH:MM:SS)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nothing was sent. Enter
%1 and
%2.</source>
        <translation>아무것도 보내지 않았습니다. 다음을 입력하십시오.
%1 및
%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was sent. Enter
%1.</source>
        <translation>아무것도 보내지 않았습니다. 다음을 입력하십시오.
%1</translation>
    </message>
</context>
<context>
    <name>frmKX5_SetEnv</name>
    <message>
        <location filename="../../settings/frmKX5_SetEnv.cpp" line="+22"/>
        <source>Usable Setting</source>
        <translation>사용 국번 설정</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MC No</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use</source>
        <translation>사용</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Description</source>
        <translation>설명</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Stations in use</source>
        <translation>사용 중인 국번</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Scan Line...</source>
        <translation>라인 검색...</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>%1
The stations in use were not changed.</source>
        <translation>%1
사용 국번은 바뀌지 않았습니다.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>No MC selected. Set &quot;O&quot; in the Use column of at least one MC.</source>
        <translation>선택한 국번이 없습니다. 하나 이상의 국번에서 사용 열을 &quot;O&quot;로 설정하십시오.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%1
The port settings were not changed.</source>
        <translation>%1
포트 설정은 바뀌지 않았습니다.</translation>
    </message>
</context>
<context>
    <name>frmKX5_SetPort</name>
    <message>
        <location filename="../../settings/frmKX5_SetPort.cpp" line="+54"/>
        <source>%1 is not a serial device</source>
        <translation>%1은(는) 시리얼 장치가 아님</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Port Setup</source>
        <translation>포트 설정</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Fast polling</source>
        <translation>빠른 폴링</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ask the next controller as soon as a reply is complete, instead of at the next 50 ms tick</source>
        <translation>다음 50 ms 주기를 기다리지 않고, 응답이 끝나는 즉시 다음 조절계에 요청합니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reopen a lost port</source>
        <translation>끊긴 포트 다시 열기</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>When the port fails while open, try to open it again every 2 seconds</source>
        <translation>열려 있는 포트에 오류가 나면 2초마다 다시 열기를 시도합니다</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Baudrate</source>
        <translation>통신 속도</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Parity Bit</source>
        <translation>패리티 비트</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Data Bit</source>
        <translation>데이터 비트</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Bit</source>
        <translation>정지 비트</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Protocol</source>
        <translation>프로토콜</translation>
    </message>
    <message>
        <location line="+100"/>
        <source>%1
The port settings were not changed.</source>
        <translation>%1
포트 설정은 바뀌지 않았습니다.</translation>
    </message>
</context>
<context>
    <name>frmKX5_Set_DSave</name>
    <message>
        <location filename="../../settings/frmKX5_Set_DSave.cpp" line="+63"/>
        <source>Data Save Setting</source>
        <translation>데이터 저장 설정</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Yes</source>
        <translation>예</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No</source>
        <translation>아니요</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Click to change the folder</source>
        <translation>클릭하면 폴더를 바꿉니다</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+15"/>
        <source>Folder</source>
        <translation>폴더</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>(Filename)_01.DAT ~ (Filename)_99.DAT</source>
        <translation>(파일 이름)_01.DAT ~ (파일 이름)_99.DAT</translation>
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
        <location line="+4"/>
        <location line="+61"/>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>Interval</source>
        <translation>주기</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+60"/>
        <source>Unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Filename</source>
        <translation>파일 이름</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>%1 &quot;%2&quot; in SaveData.INI is none of the choices: it counts as %3, and stays as it is until you choose.</source>
        <extracomment>A SaveData.INI value that is none of its box&apos;s choices: the box&apos;s caption, the value, what it counts as.</extracomment>
        <translation>SaveData.INI의 %1 &quot;%2&quot;은(는) 선택지 가운데 어느 것도 아닙니다: %3(으)로 세며, 다른 것을 고를 때까지 그대로 둡니다.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Select Folder.</source>
        <translation>폴더를 선택하십시오.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Folder %1: %2.
Select Folder.</source>
        <translation>폴더 %1: %2.
폴더를 선택하십시오.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Input Filename.</source>
        <translation>파일 이름을 입력하십시오.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1
The data save settings were not changed.</source>
        <translation>%1
데이터 저장 설정은 바뀌지 않았습니다.</translation>
    </message>
</context>
</TS>
