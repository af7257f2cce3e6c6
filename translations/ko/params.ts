<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>GroupDialog</name>
    <message>
        <location filename="../../params/GroupDialog.cpp" line="+24"/>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+135"/>
        <source>MC %1: register %2 was never read from the station, so it is not written.
Nothing was sent.</source>
        <translation>MC %1: 레지스터 %2을(를) 국번에서 읽은 적이 없으므로 쓰지 않습니다.
아무것도 보내지 않았습니다.</translation>
    </message>
</context>
<context>
    <name>SetWriter</name>
    <message>
        <location filename="../../params/SetWriter.cpp" line="+27"/>
        <source>%1 (%2) %3, set %4</source>
        <extracomment>A register that differs: name (register) the station&apos;s value, the set&apos;s value.</extracomment>
        <translation>%1 (%2) %3, 세트 %4</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 more</source>
        <translation>외 %1개</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>waiting</source>
        <translation>대기 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>reading</source>
        <translation>읽는 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>not answering</source>
        <translation>응답 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>unchanged</source>
        <translation>변경 없음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>differs</source>
        <translation>차이 있음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>writing</source>
        <translation>쓰는 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>written and verified</source>
        <translation>쓰기 및 확인 완료</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>refused (NG)</source>
        <translation>거부됨 (NG)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>not confirmed</source>
        <translation>확인 안 됨</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>stopped</source>
        <translation>정지됨</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>line 2: the set is of a %1, MC %2 is a %3. Nothing was sent.</source>
        <translation>2행: 세트의 모델은 %1, 국번 %2의 모델은 %3입니다. 아무것도 보내지 않았습니다.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>cancelled: nothing written</source>
        <translation>취소됨: 쓴 레지스터 없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>cancelled: not read</source>
        <translation>취소됨: 읽지 않음</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>cancelled: %1 of %2 registers written</source>
        <translation>취소됨: 레지스터 %2개 중 %1개 씀</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>equal to the set: left unchanged</source>
        <translation>세트와 같음: 변경하지 않음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>equal to the set in every register it copies, left unchanged; differs in %1, which a set does not copy</source>
        <translation>세트가 복사하는 레지스터는 모두 세트와 같음: 변경하지 않음. 세트가 복사하지 않는 레지스터가 다름: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 registers to write</source>
        <translation>쓸 레지스터 %1개</translation>
    </message>
    <message>
        <location line="-45"/>
        <source>%1; now holds the set</source>
        <translation>%1; 지금은 세트와 같음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1; still differs: %2</source>
        <translation>%1; 아직 다름: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>written and verified (%1 registers)</source>
        <translation>쓰기 및 확인 완료 (레지스터 %1개)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 registers written, but reads back: %2</source>
        <translation>레지스터 %1개를 썼으나 다시 읽은 값이 다름: %2</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>; differs also in %1, not copied</source>
        <translation>; 복사하지 않는 레지스터도 다름: %1</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>%1 registers to write to %2 stations (listed). Write... writes exactly those.</source>
        <translation>국번 %2개에 쓸 레지스터 %1개 (목록 참조). [쓰기...]는 목록의 레지스터만 씁니다.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Nothing to write. Stations holding the set: %1, not read: %2.</source>
        <translation>쓸 것이 없습니다. 세트와 같은 국번: %1개, 읽지 못한 국번: %2개.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Stations verified: %1, failed: %2, not reached: %3, equal already: %4. Each station&apos;s result is listed.</source>
        <extracomment>After Write Set: stations read back equal to the set, failed (may hold part of it), never written, and left alone as equal already.</extracomment>
        <translation>확인 완료 국번: %1개, 실패: %2개, 진행하지 못함: %3개, 이미 같음: %4개. 각 국번의 결과는 목록에 있습니다.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 registers written, then %2</source>
        <translation>레지스터 %1개를 쓴 뒤 %2</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>refused (NG) at %1 after %2 registers written</source>
        <translation>레지스터 %2개를 쓴 뒤 %1에서 거부됨 (NG)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>register %1</source>
        <translation>레지스터 %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>no answer after %1 of %2 registers written</source>
        <translation>레지스터 %2개 중 %1개를 쓴 뒤 응답 없음</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>interrupted by another request after %1 registers written</source>
        <translation>레지스터 %1개를 쓴 뒤 다른 요청으로 중단됨</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>input type written, range not written: check this controller</source>
        <translation>입력 종류는 썼으나 범위는 쓰지 못함: 이 조절계를 확인하십시오</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 registers written, then: %2</source>
        <translation>레지스터 %1개를 쓴 뒤: %2</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>not done: %1</source>
        <translation>실행 안 됨: %1</translation>
    </message>
</context>
<context>
    <name>WriteSetDialog</name>
    <message>
        <location filename="../../params/WriteSetDialog.cpp" line="+32"/>
        <location line="+153"/>
        <location line="+83"/>
        <source>Write Set</source>
        <translation>세트 쓰기</translation>
    </message>
    <message>
        <location line="-234"/>
        <source>%1: set of MC %2, %3, taken %4</source>
        <translation>%1: 국번 %2의 파라미터 세트, %3, %4 기준</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Stations</source>
        <translation>국번(&amp;S)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stations</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>(no answer)</source>
        <translation>(응답 없음)</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+8"/>
        <source>MC %1  %2</source>
        <translation>국번 %1  %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Differences and results</source>
        <translation>차이 및 결과</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Station / register</source>
        <translation>국번 / 레지스터</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Station</source>
        <translation>조절계 값</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set</source>
        <comment>column</comment>
        <extracomment>The column of the values the set holds.</extracomment>
        <translation>세트 값</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Write all registers of the set, not only those that differ</source>
        <translation>값이 다른 레지스터뿐 아니라 세트의 모든 레지스터 쓰기</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Check the stations to copy the set to, then Read &amp;&amp; Compare.</source>
        <translation>세트를 복사할 국번을 선택한 다음 [읽기 및 비교]를 누르십시오.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Se&amp;lected</source>
        <translation>선택한 국번(&amp;L)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All in Use</source>
        <translation>사용 중 전체(&amp;A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Read &amp;&amp; Compare</source>
        <translation>읽기 및 비교(&amp;R)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Write...</source>
        <translation>쓰기(&amp;W)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clos&amp;e</source>
        <translation>닫기(&amp;E)</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>No station checked.</source>
        <translation>선택한 국번이 없습니다.</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+20"/>
        <location line="+49"/>
        <source>MC %1: %2</source>
        <translation>국번 %1: %2</translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Reading the stations&apos; parameters...</source>
        <translation>국번의 파라미터를 읽는 중...</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>%1 more changed</source>
        <translation>외 변경 %1개</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MC %1: %2 registers as they are</source>
        <translation>국번 %1: 레지스터 %2개 (현재 값 그대로)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MC %1: %2; and %3 registers as they are</source>
        <translation>국번 %1: %2; 그리고 레지스터 %3개 (현재 값 그대로)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Write the %1 registers listed to %2 stations?

%3

Each goes out with the set&apos;s value shown; read-only registers are never written. Each station is read back afterwards.</source>
        <translation>목록의 레지스터 %1개를 국번 %2개에 쓰시겠습니까?

%3

각 레지스터는 표시된 세트 값으로 전송되며, 읽기 전용 레지스터는 쓰지 않습니다. 쓰기가 끝나면 각 국번을 다시 읽습니다.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Writing...</source>
        <translation>쓰는 중...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Stopping once the request on the line has ended...</source>
        <translation>통신 라인의 현재 요청이 끝나면 정지합니다...</translation>
    </message>
</context>
<context>
    <name>frmKX5_AlarmCode</name>
    <message>
        <location filename="../../params/frmKX5_AlarmCode.cpp" line="+102"/>
        <source>Alarm Code</source>
        <translation>경보 코드</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Alarm types 1 to 20</source>
        <translation>경보 종류 1~20</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Alarm type %1</source>
        <translation>경보 종류 %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>0. OFF</source>
        <extracomment>The controller&apos;s own words for codes 0 and 21: kept as its front panel shows them.</extracomment>
        <translation>0. OFF</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>21. HBA</source>
        <extracomment>The controller&apos;s own words for codes 0 and 21: kept as its front panel shows them.</extracomment>
        <translation>21. HBA</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>on</source>
        <extracomment>The key under the alarm pictures: the red line (output on).</extracomment>
        <translation>켜짐</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>off</source>
        <extracomment>The key under the alarm pictures: the blue line (output off).</extracomment>
        <translation>꺼짐</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>S standby, L latch</source>
        <translation>S 대기, L 래치</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Click a picture to choose its alarm type.</source>
        <translation>그림을 클릭하여 경보 종류를 선택하십시오.</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_ALM</name>
    <message>
        <location filename="../../params/frmKX5_P_ALM.cpp" line="+53"/>
        <source>Alarm Group Setting</source>
        <translation>경보 그룹 설정</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Click to choose the alarm type</source>
        <translation>클릭하여 경보 종류 선택</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Alarm 1 Type</source>
        <translation>경보 1 종류</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alarm 2 Type</source>
        <translation>경보 2 종류</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alarm 1 Dead Band</source>
        <translation>경보 1 불감대</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alarm 2 Dead Band</source>
        <translation>경보 2 불감대</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alarm 1 Point</source>
        <translation>경보 1 설정값</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alarm 2 Point</source>
        <translation>경보 2 설정값</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_AT</name>
    <message>
        <location filename="../../params/frmKX5_P_AT.cpp" line="+12"/>
        <source>Auto Tuning Group Setting</source>
        <translation>오토튜닝 그룹 설정</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>확인[&amp;O]</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>취소[&amp;C]</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto Tuning Mode</source>
        <translation>오토튜닝 모드</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto Tuning Start</source>
        <translation>오토튜닝 시작</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_Control</name>
    <message>
        <location filename="../../params/frmKX5_P_Control.cpp" line="+12"/>
        <source>Control Group Setting</source>
        <translation>제어 그룹 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zone Control</source>
        <translation>존 제어</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fuzzy Control</source>
        <translation>퍼지 제어</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>External Contact Input</source>
        <translation>외부 접점 입력</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Initial Increasing Temperature</source>
        <translation>상승 변화율</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Initial Decreasing Temperature</source>
        <translation>하강 변화율</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time Unit</source>
        <translation>시간 단위</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_IN</name>
    <message>
        <location filename="../../params/frmKX5_P_IN.cpp" line="+23"/>
        <source>Input Group Setting</source>
        <translation>입력 그룹 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Input Signal</source>
        <translation>입력 신호</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range Unit</source>
        <translation>범위 단위</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>High Limit</source>
        <translation>상한</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Low Limit</source>
        <translation>하한</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Decimal Point</source>
        <translation>소수점</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Maximum on scale</source>
        <translation>스케일 최댓값</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minimum on scale</source>
        <translation>스케일 최솟값</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV Filter</source>
        <translation>PV 필터</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PV Bias</source>
        <translation>PV 바이어스</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Burn-out </source>
        <translation>입력 단선</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No</source>
        <translation>번호</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type</source>
        <translation>종류</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range</source>
        <translation>범위</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+19"/>
        <source>INP Sheet</source>
        <translation>INP 표</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_OUT</name>
    <message>
        <location filename="../../params/frmKX5_P_OUT.cpp" line="+12"/>
        <source>Output Group Setting</source>
        <translation>출력 그룹 설정</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out Signal</source>
        <translation>출력 신호</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out Operation</source>
        <translation>출력 동작</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cycle Time</source>
        <translation>비례 주기</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cooling Cycle Time</source>
        <translation>냉각 비례 주기</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hysteresis</source>
        <translation>히스테리시스</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Maximum value of output</source>
        <translation>출력 상한</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minimum value of output</source>
        <translation>출력 하한</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Output 1 value while the input is broken</source>
        <translation>입력 단선 시 출력1 조작량</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Output 2 value while the input is broken</source>
        <translation>입력 단선 시 출력2 조작량</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_PID</name>
    <message>
        <location filename="../../params/frmKX5_P_PID.cpp" line="+18"/>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>I</source>
        <translation>I</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>D</source>
        <translation>D</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>MR</source>
        <translation>MR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pc</source>
        <translation>Pc</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ic</source>
        <translation>Ic</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dc</source>
        <translation>Dc</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>DB</source>
        <translation>DB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RP</source>
        <translation>RP</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>PID Group Setting</source>
        <translation>PID 그룹 설정</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Not Used</source>
        <translation>사용 안 함</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>read only</source>
        <translation>읽기 전용</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ARW (read only)</source>
        <translation>ARW (읽기 전용)</translation>
    </message>
</context>
<context>
    <name>frmKX5_P_SV</name>
    <message>
        <location filename="../../params/frmKX5_P_SV.cpp" line="+12"/>
        <source>Set Value Group</source>
        <translation>설정값 그룹</translation>
    </message>
</context>
<context>
    <name>frmKX5_Parameter</name>
    <message>
        <location filename="../../params/frmKX5_Parameter.cpp" line="+141"/>
        <source>Parameter Setting</source>
        <translation>파라미터 설정</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Parameter map</source>
        <translation>파라미터 맵</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Edit MC</source>
        <translation>선택 국번</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Message</source>
        <translation>메시지</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Clos&amp;e</source>
        <translation>닫기(&amp;E)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Read Only</source>
        <translation>읽기 전용</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Read/Write</source>
        <translation>읽기/쓰기</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../../params/ParamMap.cpp" line="+224"/>
        <location line="+6"/>
        <location line="+11"/>
        <location line="+7"/>
        <source>Not Used</source>
        <translation>사용 안 함</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save &amp;Set...</source>
        <translation>세트 저장(&amp;S)...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Co&amp;mpare with Set...</source>
        <translation>세트와 비교(&amp;M)...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Write Set...</source>
        <translation>세트 쓰기(&amp;W)...</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Parameter sets (*.csv);;All files (*)</source>
        <translation>파라미터 세트 (*.csv);;모든 파일 (*)</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+96"/>
        <source>Save Set</source>
        <translation>세트 저장</translation>
    </message>
    <message>
        <location line="-92"/>
        <source>Open Set</source>
        <translation>세트 열기</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Register</source>
        <translation>레지스터</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Station</source>
        <translation>조절계 값</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set</source>
        <comment>column</comment>
        <extracomment>The column of the values the set holds.</extracomment>
        <translation>세트 값</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>MC %1: no parameters read yet, nothing to save</source>
        <translation>국번 %1: 아직 읽은 파라미터가 없어 저장할 것이 없습니다</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>MC %1 set saved to %2</source>
        <translation>국번 %1의 세트를 %2에 저장했습니다</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+4"/>
        <source>Compare with Set</source>
        <translation>세트와 비교</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The set is of a %1, MC %2 is a %3: not compared.</source>
        <translation>세트의 모델은 %1, 국번 %2의 모델은 %3입니다. 비교하지 않았습니다.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>MC %1: reading its parameters to compare</source>
        <translation>국번 %1: 비교할 파라미터를 읽는 중</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Write Set</source>
        <translation>세트 쓰기</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>MC %1 against the set of MC %2: %3 differ</source>
        <translation>국번 %1 대 국번 %2의 세트: %3개 다름</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>MC [%1] %2: waiting for confirmation</source>
        <translation>국번 [%1] %2: 확인 대기 중</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MC [%1] input group: 610-611 written, 612-619 pending (%2 s pause)</source>
        <translation>국번 [%1] 입력 그룹: 610-611 쓰기 완료, 612-619 대기 중 (%2초 대기)</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>MC %1: parameters not read, so they cannot be changed</source>
        <translation>MC %1: 파라미터를 읽지 못해 바꿀 수 없습니다</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The parameters of MC %1 have not been read (is it answering?), so there is nothing to start a change from.
Read them again now?</source>
        <translation>MC %1의 파라미터를 읽지 못했습니다(응답하고 있습니까?). 그래서 바꿀 값의 출발점이 없습니다.
지금 다시 읽을까요?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>MC %1: reading its parameters</source>
        <translation>MC %1: 파라미터를 읽는 중</translation>
    </message>
    <message>
        <location filename="../../params/ParamMap.cpp" line="-54"/>
        <source>can be written</source>
        <translation>쓰기 가능</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>read only</source>
        <translation>읽기 전용</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>not used</source>
        <translation>사용 안 함</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not read</source>
        <translation>읽지 않음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 (register %2): %3, %4</source>
        <extracomment>A value cell of the parameter map for screen readers: name, register, value, access.</extracomment>
        <translation>%1(레지스터 %2): %3, %4</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Read Only Area</source>
        <translation>읽기 전용 영역</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Go to Main-Window</source>
        <translation>메인 창에서 설정하십시오</translation>
    </message>
    <message>
        <location filename="../../params/ParamSet.cpp" line="+136"/>
        <source>%1 cannot be read</source>
        <translation>%1 파일을 읽을 수 없습니다</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1, line %2: %3</source>
        <translation>%1, %2행: %3</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>not a parameter set</source>
        <translation>파라미터 세트가 아님</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>no model</source>
        <translation>모델 없음</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is not a KX5 model</source>
        <translation>%1은(는) KX5 모델이 아닙니다</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>no MC No</source>
        <translation>국번(MC No) 없음</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the column names are missing</source>
        <translation>열 이름 없음</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>not name, register, value, raw</source>
        <translation>열이 name, register, value, raw가 아님</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>register %1 is not a parameter</source>
        <translation>레지스터 %1: 파라미터가 아님</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>register %1 twice</source>
        <translation>레지스터 %1: 중복</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>value %1 out of range</source>
        <translation>값 %1: 범위를 벗어남</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>register %1 is missing</source>
        <translation>레지스터 %1: 누락</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1: the value %2 and the raw %3 disagree (raw %3 is %4)</source>
        <translation>%1: 값 %2과(와) 원시 값 %3이(가) 맞지 않습니다 (원시 값 %3은(는) %4)</translation>
    </message>
</context>
</TS>
