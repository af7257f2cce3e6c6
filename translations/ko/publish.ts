<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>MqttClient</name>
    <message>
        <location filename="../../publish/MqttClient.cpp" line="+53"/>
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
        <location line="+19"/>
        <source>TLS: the certificate files cannot be used (%1).</source>
        <translation>TLS: 인증서 파일을 사용할 수 없습니다 (%1).</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Wrong user name or password: the broker at %1 did not accept them (%2)</source>
        <translation>사용자 이름 또는 비밀번호가 틀립니다: %1의 브로커가 받아들이지 않았습니다 (%2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The broker at %1 refused the connection: %2</source>
        <translation>%1의 브로커가 연결을 거부했습니다: %2</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>the broker&apos;s certificate is not signed by a trusted CA (certificate verify failed)</source>
        <translation>브로커의 인증서가 신뢰할 수 있는 CA의 서명을 받지 않았음 (certificate verify failed)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the handshake failed</source>
        <translation>핸드셰이크 실패</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Unknown host: the name %1 cannot be resolved</source>
        <translation>알 수 없는 호스트: %1 이름을 찾을 수 없습니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+28"/>
        <source>TLS failure with %1: %2</source>
        <translation>%1 TLS 오류: %2</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>Refused: nothing accepts connections at %1</source>
        <translation>거부됨: %1에서 연결을 받지 않습니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Cannot connect to %1: %2</source>
        <translation>%1에 연결할 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Connection to %1 lost: %2</source>
        <translation>%1 연결이 끊겼습니다: %2</translation>
    </message>
    <message>
        <location line="+59"/>
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
        <location filename="../../publish/PublishOptions.cpp" line="+39"/>
        <source>No broker host is given.</source>
        <translation>브로커 호스트가 지정되지 않았습니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The port must be 1 to 65535.</source>
        <translation>포트는 1에서 65535 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The topic prefix must not be empty or hold &apos;+&apos; or &apos;#&apos;.</source>
        <translation>토픽 접두어는 비워 둘 수 없으며 &apos;+&apos;, &apos;#&apos; 문자를 쓸 수 없습니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The line name must not be empty or hold &apos;/&apos;, &apos;+&apos; or &apos;#&apos;.</source>
        <translation>라인 이름은 비워 둘 수 없으며 &apos;/&apos;, &apos;+&apos;, &apos;#&apos; 문자를 쓸 수 없습니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A client certificate needs its key file, and a key its certificate.</source>
        <translation>클라이언트 인증서에는 키 파일이, 키에는 인증서가 함께 필요합니다.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Publish every 1 to 3600 seconds.</source>
        <translation>게시 간격은 1초에서 3600초 사이여야 합니다.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>QoS must be 0 or 1.</source>
        <translation>QoS는 0 또는 1이어야 합니다.</translation>
    </message>
</context>
<context>
    <name>Publisher</name>
    <message>
        <location filename="../../publish/Publisher.cpp" line="+56"/>
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
</context>
</TS>
