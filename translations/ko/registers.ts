<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>GroupDialog</name>
    <message>
        <location filename="../../registers/ValueList.cpp" line="+21"/>
        <source>%1: empty; enter a value</source>
        <translation>%1: 비어 있습니다. 값을 입력하십시오</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1: enter %2 to %3</source>
        <translation>%1: %2 ~ %3 범위로 입력하십시오</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>%1
Nothing was sent.</source>
        <translation>%1
아무것도 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1
%2 would not read back as typed. Nothing was sent.</source>
        <translation>%1
%2 값은 입력한 그대로 다시 읽히지 않습니다. 아무것도 보내지 않았습니다.</translation>
    </message>
</context>
<context>
    <name>ParamChoice</name>
    <message>
        <location filename="../../registers/ParamInfo.cpp" line="+49"/>
        <location line="+39"/>
        <location line="+43"/>
        <source>OFF</source>
        <translation>끔</translation>
    </message>
    <message>
        <location line="-81"/>
        <source>ON</source>
        <translation>켬</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Hour</source>
        <translation>시간</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Min</source>
        <translation>분</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>STD</source>
        <translation>표준(STD)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LOW</source>
        <translation>저PV(LOW)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>AUTO</source>
        <translation>자동</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>NONE</source>
        <translation>없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>EVEN</source>
        <translation>짝수</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ODD</source>
        <translation>홀수</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>REV</source>
        <translation>역동작</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DIR</source>
        <translation>정동작</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>UP</source>
        <translation>상향</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DOWN</source>
        <translation>하향</translation>
    </message>
</context>
<context>
    <name>ParamInfo</name>
    <message>
        <location line="+109"/>
        <source>%1 &quot;%2&quot;: not one of its choices; it takes %3</source>
        <extracomment>A choice field holding a word that is none of its choices: name, text, the words it takes.</extracomment>
        <translation>%1 &quot;%2&quot;: 선택할 수 있는 값이 아닙니다. 입력할 수 있는 값: %3</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>%1 %2: not one of %3</source>
        <extracomment>A choice&apos;s code that is not one of them: name, code, the codes offered.</extracomment>
        <translation>%1 %2: 허용되는 값은 %3입니다</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 %2: enter %3 to %4, the range of input type %5</source>
        <extracomment>A temperature beyond the input type&apos;s range: name, value, low, high, type.</extracomment>
        <translation>%1 %2: 입력 종류 %5의 범위인 %3 ~ %4로 입력하십시오</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 %2: enter %3 to %4</source>
        <translation>%1 %2: %3 ~ %4 범위로 입력하십시오</translation>
    </message>
</context>
</TS>
