<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>Gateway</name>
    <message>
        <location filename="../../gateway/Gateway.cpp" line="+32"/>
        <source>its settings file has errors</source>
        <translation>설정 파일에 오류가 있음</translation>
    </message>
    <message>
        <location line="+22"/>
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
        <location line="-13"/>
        <source>Modbus TCP gateway is off: %1</source>
        <translation>Modbus TCP 게이트웨이 꺼짐: %1</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Modbus TCP gateway is not listening: %1; trying again every %2 s</source>
        <translation>Modbus TCP 게이트웨이 대기하지 못함: %1. %2초마다 다시 시도합니다</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Modbus TCP gateway stopped (%1 connections refused)</source>
        <translation>Modbus TCP 게이트웨이 정지 (거부한 연결 %1건)</translation>
    </message>
    <message>
        <location line="+26"/>
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
        <location filename="../../gateway/LinkAdapter.cpp" line="+50"/>
        <source>the gateway stopped</source>
        <translation>게이트웨이가 정지됨</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+58"/>
        <source>the client stopped waiting</source>
        <translation>클라이언트가 더 기다리지 않음</translation>
    </message>
    <message>
        <location filename="../../gateway/ModbusClient.cpp" line="+26"/>
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
        <location filename="../../gateway/ModbusServer.cpp" line="+188"/>
        <source>refused by the controller</source>
        <translation>조절계가 거부함</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the station is not answering</source>
        <translation>국번이 응답하지 않음</translation>
    </message>
    <message>
        <location line="+91"/>
        <source>Modbus TCP gateway: closed the connection of %1: it sent what is not a Modbus request</source>
        <translation>Modbus TCP 게이트웨이: %1의 연결을 닫았습니다. Modbus 요청이 아닌 데이터를 보냈습니다</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>Modbus TCP %1: %2 not written: %3 (exception %4)</source>
        <translation>Modbus TCP %1: %2 쓰지 않음: %3 (예외 %4)</translation>
    </message>
    <message>
        <location line="+83"/>
        <source>Modbus TCP %1: %2 written</source>
        <translation>Modbus TCP %1: %2 쓰기 완료</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Modbus TCP %1: %2 written after the client stopped waiting</source>
        <translation>Modbus TCP %1: %2 쓰기 완료 (클라이언트가 기다리기를 그만둔 뒤에 씀)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 written</source>
        <translation>%1 쓰기 완료</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 refused</source>
        <translation>%1 거부됨</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 not confirmed</source>
        <translation>%1 확인하지 못함</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 not sent</source>
        <translation>%1 보내지 않음</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Modbus TCP %1: %2: %3 (exception %4)</source>
        <translation>Modbus TCP %1: %2: %3 (예외 %4)</translation>
    </message>
    <message>
        <location filename="../../gateway/ModbusServer.cpp" line="-145"/>
        <source>cannot listen on %1 port %2: %3</source>
        <translation>%1 포트 %2에서 대기할 수 없음: %3</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Modbus TCP %1: %2</source>
        <translation>Modbus TCP %1: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Modbus TCP unit %1: %2</source>
        <translation>Modbus TCP 유닛 %1: %2</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Modbus TCP gateway: connection from %1 refused: not a trusted client (%2 refused so far)</source>
        <translation>Modbus TCP 게이트웨이: %1의 연결을 거부했습니다. 신뢰하는 클라이언트가 아닙니다 (지금까지 거부 %2건)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Modbus TCP gateway: connection from %1 refused, %2 clients connected already (%3 refused so far)</source>
        <translation>Modbus TCP 게이트웨이: %1의 연결을 거부했습니다. 이미 클라이언트 %2개가 연결되어 있습니다 (지금까지 거부 %3건)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Modbus TCP gateway: %1 more connections refused in the last minute, from %2 (%3 refused so far)</source>
        <translation>Modbus TCP 게이트웨이: 최근 1분 동안 %2의 연결을 %1건 더 거부했습니다 (지금까지 거부 %3건)</translation>
    </message>
    <message>
        <location filename="../../gateway/RepeatFolder.cpp" line="+50"/>
        <source>%1 (and %2 more like it in the last %3 min)</source>
        <translation>%1 (최근 %3분 동안 같은 일이 %2번 더 있었음)</translation>
    </message>
    <message>
        <location filename="../../gateway/GatewayCounters.cpp" line="+26"/>
        <source>%1 requests, %2 answers, exceptions %3, %4 time-outs, %5 writes, %6 connections refused</source>
        <translation>요청 %1건, 응답 %2건, 예외 %3, 타임아웃 %4건, 쓰기 %5건, 거부한 연결 %6건</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 requests, %2 answers, exceptions %3, %4 time-outs, %5 writes</source>
        <translation>요청 %1건, 응답 %2건, 예외 %3, 타임아웃 %4건, 쓰기 %5건</translation>
    </message>
</context>
</TS>
