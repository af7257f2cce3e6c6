<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>Gateway</name>
    <message>
        <location filename="../../gateway/Gateway.cpp" line="+30"/>
        <source>its settings file has errors</source>
        <translation>설정 파일에 오류가 있음</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>allowed to %1</source>
        <translation>%1에 허용</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>off</source>
        <translation>꺼짐</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Modbus TCP gateway listening on %1 port %2 (at most %3 clients; writes %4)</source>
        <translation>Modbus TCP 게이트웨이 대기 중: %1 포트 %2 (최대 클라이언트 %3개, 쓰기 %4)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Modbus TCP gateway is off: %1</source>
        <translation>Modbus TCP 게이트웨이 꺼짐: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Modbus TCP gateway stopped (%1 connections refused)</source>
        <translation>Modbus TCP 게이트웨이 정지 (거부한 연결 %1건)</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Modbus TCP %1 not listening</source>
        <translation>Modbus TCP %1 대기하지 못함</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Modbus TCP %1, %2 clients</source>
        <translation>Modbus TCP %1, 클라이언트 %2개</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1, %2 refused</source>
        <translation>%1, 거부 %2건</translation>
    </message>
    <message>
        <location filename="../../gateway/LinkAdapter.cpp" line="+86"/>
        <source>the gateway stopped</source>
        <translation>게이트웨이가 정지됨</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>the client stopped waiting</source>
        <translation>클라이언트가 더 기다리지 않음</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the line was busy for too long</source>
        <translation>통신 라인이 너무 오래 사용 중이었음</translation>
    </message>
    <message>
        <location filename="../../gateway/ModbusClient.cpp" line="+25"/>
        <source>register %1</source>
        <translation>레지스터 %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>writes are off</source>
        <translation>쓰기가 꺼져 있음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>not a register clients may write</source>
        <translation>클라이언트가 쓸 수 있는 레지스터가 아님</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>outside the register&apos;s range</source>
        <translation>레지스터의 범위를 벗어남</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the station is not in use</source>
        <translation>사용하지 않는 국번임</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the station is not answering</source>
        <translation>국번이 응답하지 않음</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>no answer in time</source>
        <translation>제시간에 응답이 없음</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Modbus TCP gateway: closed the connection of %1: it sent what is not a Modbus request</source>
        <translation>Modbus TCP 게이트웨이: %1의 연결을 닫았습니다. Modbus 요청이 아닌 데이터를 보냈습니다</translation>
    </message>
    <message>
        <location line="+85"/>
        <source>Modbus TCP %1: %2 not written: %3 (exception %4)</source>
        <translation>Modbus TCP %1: %2 쓰지 않음: %3 (예외 %4)</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Modbus TCP %1: %2 written</source>
        <translation>Modbus TCP %1: %2 쓰기 완료</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>%1 written</source>
        <translation>%1 쓰기 완료</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 not confirmed</source>
        <translation>%1 확인하지 못함</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 not sent</source>
        <translation>%1 보내지 않음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Modbus TCP %1: %2: %3 (exception 0b)</source>
        <translation>Modbus TCP %1: %2: %3 (예외 0b)</translation>
    </message>
    <message>
        <location filename="../../gateway/ModbusServer.cpp" line="+30"/>
        <source>cannot listen on %1 port %2: %3</source>
        <translation>%1 포트 %2에서 대기할 수 없음: %3</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Modbus TCP gateway: connection from %1:%2 refused, %3 clients connected already (%4 refused so far)</source>
        <translation>Modbus TCP 게이트웨이: %1:%2의 연결을 거부했습니다. 이미 클라이언트 %3개가 연결됨 (지금까지 거부 %4건)</translation>
    </message>
    <message>
        <location filename="../../gateway/RepeatFolder.cpp" line="+50"/>
        <source>%1 (and %2 more like it in the last %3 min)</source>
        <translation>%1 (최근 %3분 동안 같은 일이 %2번 더 있었음)</translation>
    </message>
</context>
<context>
    <name>GatewayOptions</name>
    <message>
        <location filename="../../gateway/GatewayOptions.cpp" line="+63"/>
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
        <location line="+31"/>
        <source>%1 line %2 (%3): 1 (on) or 0 (off) is expected</source>
        <translation>%1 %2행 (%3): 1(켜기) 또는 0(끄기)이어야 합니다</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 line %2 (%3): a whole number is expected</source>
        <translation>%1 %2행 (%3): 정수여야 합니다</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 line %2 (%3): %4 is not a register 0 to 699 or a range of them (&quot;301-303,506&quot;)</source>
        <translation>%1 %2행 (%3): %4은(는) 0~699의 레지스터나 그 범위(&quot;301-303,506&quot;)가 아닙니다</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 line %2 (%3): not a gateway setting; ignored</source>
        <translation>%1 %2행 (%3): 게이트웨이 설정 항목이 아니므로 무시했습니다</translation>
    </message>
</context>
</TS>
