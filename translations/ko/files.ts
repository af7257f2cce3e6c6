<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>ConfigFiles</name>
    <message>
        <location filename="../../files/ConfigFiles.cpp" line="+77"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 파일에 쓸 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>a link in its place cannot be removed</source>
        <translation>그 자리에 있는 링크를 지울 수 없음</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>a folder of that name is in the way</source>
        <translation>같은 이름의 폴더가 있음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it is not a regular file</source>
        <translation>일반 파일이 아님</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>its permissions cannot be set</source>
        <translation>권한을 설정할 수 없음</translation>
    </message>
    <message>
        <location filename="../../files/OptionTable.cpp" line="+96"/>
        <source>it has %1 of its %2 lines</source>
        <translation>%2줄 중 %1줄만 있음</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 cannot be used (%2), so %3</source>
        <translation>%1 파일을 사용할 수 없으므로(%2) %3</translation>
    </message>
    <message>
        <location filename="../../files/ConfigFiles.cpp" line="+30"/>
        <source>the built-in port settings are used: COM1, 9600,N,8,1, STD</source>
        <translation>기본 포트 설정을 사용합니다: COM1, 9600,N,8,1, STD</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the baud rate must be a whole number above 0, so the port cannot be opened</source>
        <translation>통신 속도는 0보다 큰 정수여야 하므로 포트를 열 수 없습니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the parity must be N, E, O, M or S, so the port cannot be opened</source>
        <translation>패리티는 N, E, O, M, S 중 하나여야 하므로 포트를 열 수 없습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the data bits must be 5 to 8, so the port cannot be opened</source>
        <translation>데이터 비트는 5~8이어야 하므로 포트를 열 수 없습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the stop bits must be 1, 1.5 or 2, so the port cannot be opened</source>
        <translation>정지 비트는 1, 1.5, 2 중 하나여야 하므로 포트를 열 수 없습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the protocol must be STD or SUM, so frames carry a checksum (SUM)</source>
        <translation>프로토콜은 STD 또는 SUM이어야 하므로 프레임에 체크섬을 붙입니다(SUM)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>data saving is off until it is set up in Data Save Setting</source>
        <translation>데이터 저장 설정에서 설정할 때까지 데이터 저장은 꺼져 있습니다</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>&quot;O&quot; (in use) or &quot;X&quot;, then a TAB and the description, is expected</source>
        <translation>&quot;O&quot;(사용) 또는 &quot;X&quot; 뒤에 TAB과 설명이 와야 합니다</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>&quot;Yes&quot; or &quot;No&quot; is expected, so data saving is not enabled</source>
        <translation>&quot;Yes&quot; 또는 &quot;No&quot;여야 하므로 데이터 저장이 허용되지 않습니다</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>1 to 60 is expected, so %1 is used</source>
        <translation>1에서 60 사이여야 하므로 %1을(를) 사용합니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;sec&quot; or &quot;min&quot; is expected, so the interval counts in seconds</source>
        <translation>&quot;sec&quot; 또는 &quot;min&quot;이어야 하므로 간격을 초 단위로 셉니다</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>a file name without a folder is expected, so the files are named KX5</source>
        <translation>폴더가 없는 파일 이름이어야 하므로 파일 이름을 KX5로 합니다</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>only MC 1 is in use until the stations are set in Use MC Setting</source>
        <translation>사용 국번 설정에서 국번을 정할 때까지 국번 1만 사용합니다</translation>
    </message>
    <message>
        <location filename="../../files/OptionTable.cpp" line="+14"/>
        <source>%1: %2 more lines like these</source>
        <translation>%1: 이와 같은 줄이 %2개 더 있습니다</translation>
    </message>
</context>
<context>
    <name>DataSave</name>
    <message>
        <location filename="../../files/DataSaveSettings.cpp" line="+39"/>
        <source>min</source>
        <translation>분</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sec</source>
        <translation>초</translation>
    </message>
</context>
<context>
    <name>FileChecks</name>
    <message>
        <location filename="../../files/FileChecks.cpp" line="+11"/>
        <source>the name is not valid UTF-8 (the bytes shown as �), so it cannot be used</source>
        <translation>이름이 올바른 UTF-8이 아니므로(�로 보이는 바이트) 사용할 수 없음</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%1 cannot be read: %2</source>
        <translation>%1 파일을 읽을 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 line %2 (%3): %4</source>
        <translation>%1 %2번째 줄(%3): %4</translation>
    </message>
    <message>
        <location filename="../../files/TextLines.cpp" line="+87"/>
        <source>it is a folder</source>
        <translation>폴더임</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+8"/>
        <source>it is not a regular file (a FIFO, a socket or a device)</source>
        <translation>일반 파일이 아님(FIFO, 소켓 또는 장치)</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>it is larger than 64 KiB, far too large for a settings file</source>
        <translation>64 KiB보다 커서 설정 파일로 보기에 너무 큼</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>it is not a text file</source>
        <translation>텍스트 파일이 아님</translation>
    </message>
</context>
<context>
    <name>FolderLock</name>
    <message>
        <location filename="../../files/FolderLock.cpp" line="+57"/>
        <source>%1 was removed and made again, and another KX5 Link took it meanwhile: this one no longer holds it</source>
        <translation>%1 폴더가 삭제되었다가 다시 만들어지는 동안 다른 KX5 Link가 이 폴더를 차지했습니다. 이 프로그램은 더 이상 이 폴더를 사용하지 않습니다</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>%1 is in use by another KX5 Link (pid %2 on %3), which writes its data and events there. Close that one, or give this one another folder.</source>
        <translation>%1 폴더는 다른 KX5 Link(%3의 pid %2)가 사용 중이며, 그 프로그램이 데이터와 이벤트를 기록하고 있습니다. 그 프로그램을 닫거나 이 프로그램에 다른 폴더를 지정하십시오.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is in use by another KX5 Link. Close that one, or give this one another folder.</source>
        <translation>%1 폴더는 다른 KX5 Link가 사용 중입니다. 그 프로그램을 닫거나 이 프로그램에 다른 폴더를 지정하십시오.</translation>
    </message>
</context>
<context>
    <name>GatewayOptions</name>
    <message>
        <location filename="../../files/GatewayOptions.cpp" line="+78"/>
        <source>not a gateway setting; ignored</source>
        <translation>게이트웨이 설정 항목이 아니므로 무시했습니다</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The listen address must be an IP address, such as 127.0.0.1 or 0.0.0.0.</source>
        <translation>수신 대기 주소는 127.0.0.1이나 0.0.0.0 같은 IP 주소여야 합니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The port must be 1 to 65535.</source>
        <translation>포트는 1에서 65535 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The most clients at once must be 1 to 64.</source>
        <translation>최대 동시 클라이언트는 1에서 64 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 is not a register 0 to 699 or a range of them (&quot;301-303,506&quot;)</source>
        <translation>%1은(는) 0~699의 레지스터나 그 범위(&quot;301-303,506&quot;)가 아닙니다</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The longest a client waits must be 100 to 60000 ms.</source>
        <translation>응답 최대 대기는 100에서 60000ms 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The idle time-out must be 0 (never) to 86400 s.</source>
        <translation>조용한 접속 끊기 시간은 0(안 함)에서 86400초 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The longest a parameter is served without reading it again must be 1 to 3600 s.</source>
        <translation>파라미터를 다시 읽지 않고 내주는 최대 시간은 1에서 3600초 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 is not an address or a network (&quot;192.168.1.0/24&quot;)</source>
        <translation>%1은(는) 주소나 네트워크(&quot;192.168.1.0/24&quot;)가 아닙니다</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The serial response time-out must be 0 (from the line&apos;s speed) or 50 to 10000 ms.</source>
        <translation>시리얼 응답 타임아웃은 0(라인 속도에 따라) 또는 50에서 10000ms 사이여야 합니다.</translation>
    </message>
</context>
<context>
    <name>LinkOptions</name>
    <message>
        <location filename="../../files/LinkOptions.cpp" line="+20"/>
        <source>1 to 100000 is expected, so the default is kept</source>
        <translation>1~100000이어야 하므로 기본값을 그대로 씁니다</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>not a link setting; ignored</source>
        <translation>통신 설정이 아니므로 무시합니다</translation>
    </message>
</context>
<context>
    <name>OptionTable</name>
    <message>
        <location filename="../../files/OptionTable.cpp" line="-104"/>
        <source>1 (on) or 0 (off) is expected</source>
        <translation>1(켜기) 또는 0(끄기)이어야 합니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a whole number is expected</source>
        <translation>정수여야 합니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a number is expected (0.5, not 0,5)</source>
        <translation>숫자여야 합니다 (0,5가 아니라 0.5)</translation>
    </message>
</context>
<context>
    <name>PublishOptions</name>
    <message>
        <location filename="../../files/PublishOptions.cpp" line="+59"/>
        <source>No broker host is given.</source>
        <translation>브로커 호스트가 지정되지 않았습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The port must be 1 to 65535.</source>
        <translation>포트는 1에서 65535 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The topic prefix must not be empty or hold &apos;+&apos; or &apos;#&apos;.</source>
        <translation>토픽 접두어는 비워 둘 수 없으며 &apos;+&apos;, &apos;#&apos; 문자를 쓸 수 없습니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The line name must not be empty or hold &apos;/&apos;, &apos;+&apos; or &apos;#&apos;.</source>
        <translation>라인 이름은 비워 둘 수 없으며 &apos;/&apos;, &apos;+&apos;, &apos;#&apos; 문자를 쓸 수 없습니다.</translation>
    </message>
    <message>
        <location line="-28"/>
        <source>A client certificate needs its key file, and a key its certificate.</source>
        <translation>클라이언트 인증서에는 키 파일이, 키에는 인증서가 함께 필요합니다.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>not a publishing setting; ignored</source>
        <translation>게시 설정 항목이 아니므로 무시했습니다</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Reply, Interval or Change is expected</source>
        <translation>Reply, Interval, Change 중 하나여야 합니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Publish every 1 to 3600 seconds.</source>
        <translation>게시 간격은 1초에서 3600초 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The dead band must be 0 to 10000.</source>
        <translation>불감대는 0에서 10000 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Publish a steady station at least every 1 to 3600 seconds.</source>
        <translation>변화 없는 국번도 1에서 3600초 사이의 간격으로 게시해야 합니다.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>QoS must be 0 or 1.</source>
        <translation>QoS는 0 또는 1이어야 합니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The discovery prefix must not be empty or hold &apos;+&apos; or &apos;#&apos;.</source>
        <translation>디스커버리 접두어는 비워 둘 수 없으며 &apos;+&apos;, &apos;#&apos; 문자를 쓸 수 없습니다.</translation>
    </message>
</context>
</TS>
