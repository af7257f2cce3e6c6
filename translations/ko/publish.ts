<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>MqttClient</name>
    <message>
        <location filename="../../publish/MqttClient.cpp" line="+169"/>
        <source>The MQTT library could not set up a client.</source>
        <translation>MQTT 라이브러리가 클라이언트를 만들지 못했습니다.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The user name or password cannot be used.</source>
        <translation>이 사용자 이름이나 비밀번호는 사용할 수 없습니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The last-will topic %1 cannot be used.</source>
        <translation>Last Will 토픽을 사용할 수 없습니다: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>TLS: the CA file %1 cannot be read.</source>
        <translation>TLS: CA 파일을 읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>TLS: the client certificate %1 cannot be read.</source>
        <translation>TLS: 클라이언트 인증서 파일을 읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>TLS: the client key %1 cannot be read.</source>
        <translation>TLS: 클라이언트 키 파일을 읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>TLS: %1 is a folder; a file is needed here.</source>
        <translation>TLS: %1은(는) 폴더입니다. 여기에는 파일이 필요합니다.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>TLS: the certificate files cannot be used (%1).</source>
        <translation>TLS: 인증서 파일을 사용할 수 없습니다 (%1).</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Wrong user name or password: the broker at %1 did not accept them (%2)</source>
        <translation>사용자 이름 또는 비밀번호가 틀립니다: %1의 브로커가 받아들이지 않았습니다 (%2)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The broker at %1 refused the connection: %2</source>
        <translation>%1의 브로커가 연결을 거부했습니다: %2</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>the broker&apos;s certificate is not made out to the host name %1 (give the name the certificate holds)</source>
        <translation>브로커의 인증서가 호스트 이름 %1에 대해 발급되지 않았음 (인증서에 있는 이름을 입력하십시오)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the broker&apos;s certificate is not signed by a trusted CA (certificate verify failed)</source>
        <translation>브로커의 인증서가 신뢰할 수 있는 CA의 서명을 받지 않았음 (certificate verify failed)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the broker&apos;s certificate is out of date, or this computer&apos;s clock is wrong</source>
        <translation>브로커의 인증서가 유효 기간을 벗어났거나 이 컴퓨터의 시계가 틀림</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the broker&apos;s certificate was not accepted: %1</source>
        <translation>브로커의 인증서를 받아들이지 않음: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the broker wants a client certificate (give one and its key)</source>
        <translation>브로커가 클라이언트 인증서를 요구함 (인증서와 키를 지정하십시오)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the broker did not accept our client certificate</source>
        <translation>브로커가 이 클라이언트 인증서를 받아들이지 않음</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the port does not answer in TLS (is it a plain MQTT port?)</source>
        <translation>포트가 TLS로 응답하지 않음 (일반 MQTT 포트입니까?)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the handshake failed</source>
        <translation>핸드셰이크 실패</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>No answer from %1 within %2 s: the host is switched off or a firewall drops the connection, or the TLS handshake did not finish</source>
        <translation>%1에서 %2초 안에 응답이 없습니다: 호스트가 꺼져 있거나 방화벽이 연결을 막고 있거나, TLS 핸드셰이크가 끝나지 않았습니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No answer from %1 within %2 s: the host is switched off or a firewall drops the connection</source>
        <translation>%1에서 %2초 안에 응답이 없습니다: 호스트가 꺼져 있거나 방화벽이 연결을 막고 있습니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The broker at %1 took the connection but did not answer within %2 s (stalled or overloaded)</source>
        <translation>%1의 브로커가 연결은 받았지만 %2초 안에 응답하지 않았습니다 (멈춤 또는 과부하)</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Unknown host: the name %1 cannot be resolved</source>
        <translation>알 수 없는 호스트: %1 이름을 찾을 수 없습니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+54"/>
        <source>TLS failure with %1: %2</source>
        <translation>%1 TLS 오류: %2</translation>
    </message>
    <message>
        <location line="-50"/>
        <location line="+54"/>
        <source>Refused: nothing accepts connections at %1</source>
        <translation>거부됨: %1에서 연결을 받지 않습니다</translation>
    </message>
    <message>
        <location line="-51"/>
        <location line="+3"/>
        <location line="+51"/>
        <source>Cannot connect to %1: %2</source>
        <translation>%1에 연결할 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>The broker at %1 keeps closing our connection right after accepting it: another program is probably connected with the same client id</source>
        <translation>%1의 브로커가 연결을 받아들인 직후에 계속 끊습니다: 다른 프로그램이 같은 클라이언트 ID로 연결되어 있는 것 같습니다</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The broker at %1 stopped answering (nothing within %2 s)</source>
        <translation>%1의 브로커가 응답을 멈췄습니다 (%2초 동안 응답 없음)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Connection to %1 lost: %2</source>
        <translation>%1 연결이 끊겼습니다: %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>The broker at %1 closed the TLS connection before answering: it may want a client certificate, or not accept ours</source>
        <translation>%1의 브로커가 응답하기 전에 TLS 연결을 끊었습니다: 클라이언트 인증서를 요구하거나 이 인증서를 받아들이지 않는 것 같습니다</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The broker at %1 closed the connection before answering: is it a TLS port? (tick TLS)</source>
        <translation>%1의 브로커가 응답하기 전에 연결을 끊었습니다: TLS 포트입니까? (TLS를 선택하십시오)</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Connected to %1 over TLS: the broker accepted us.</source>
        <translation>TLS로 %1에 연결했습니다: 브로커가 연결을 받아들였습니다.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connected to %1: the broker accepted us.</source>
        <translation>%1에 연결했습니다: 브로커가 연결을 받아들였습니다.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>No answer from %1 within %2 s.</source>
        <translation>%1에서 %2초 안에 응답이 없습니다.</translation>
    </message>
</context>
<context>
    <name>PublishOptions</name>
    <message>
        <location filename="../../publish/PublishOptions.cpp" line="+59"/>
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
<context>
    <name>Publisher</name>
    <message>
        <location filename="../../publish/Publisher.cpp" line="+71"/>
        <source>Publishing settings: %1</source>
        <translation>MQTT 게시 설정: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Publishing is off: %1</source>
        <translation>MQTT 게시 꺼짐: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Publishing not started: %1</source>
        <translation>MQTT 게시를 시작하지 못했습니다: %1</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>MQTT: broker slow, %1 queued, %2 dropped</source>
        <translation>MQTT: 브로커 지연, %1개 대기, %2개 버림</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MQTT: broker slow, %1 queued</source>
        <translation>MQTT: 브로커 지연, %1개 대기</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MQTT: connected, %1 dropped</source>
        <translation>MQTT: 연결됨, %1개 버림</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>MQTT: connected</source>
        <translation>MQTT: 연결됨</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MQTT: broker away, %1 queued, %2 dropped</source>
        <translation>MQTT: 브로커 연결 끊김, %1개 대기, %2개 버림</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MQTT: broker away, %1 queued</source>
        <translation>MQTT: 브로커 연결 끊김, %1개 대기</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>Publishing: %1 Home Assistant entities removed (stations no longer in use, or discovery off)</source>
        <translation>MQTT 게시: Home Assistant 엔티티 %1개를 삭제했습니다 (더 이상 사용하지 않는 국번이거나 디스커버리 꺼짐)</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+70"/>
        <source>Publishing: %1</source>
        <translation>MQTT 게시: %1</translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Publishing: %1 messages were dropped while the broker was away or slow (%2 in all)</source>
        <translation>MQTT 게시: 브로커가 연결되지 않았거나 느린 동안 메시지 %1개를 버렸습니다 (모두 %2개)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Publishing: the queue is full (%1 messages); the oldest are dropped until the broker takes them again</source>
        <translation>MQTT 게시: 대기열이 가득 찼습니다 (메시지 %1개). 브로커가 다시 받을 때까지 가장 오래된 메시지부터 버립니다</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Publishing: connected to %1:%2</source>
        <translation>MQTT 게시: %1:%2에 연결했습니다</translation>
    </message>
</context>
</TS>
