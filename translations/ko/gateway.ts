<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>Gateway</name>
    <message>
        <location filename="../../gateway/Gateway.cpp" line="+81"/>
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
</context>
<context>
    <name>GatewayOptions</name>
    <message>
        <location filename="../../gateway/GatewayOptions.cpp" line="+63"/>
        <source>The listen address must be an IP address, such as 127.0.0.1 or 0.0.0.0.</source>
        <translation>대기 주소는 127.0.0.1이나 0.0.0.0 같은 IP 주소여야 합니다.</translation>
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
</context>
</TS>
