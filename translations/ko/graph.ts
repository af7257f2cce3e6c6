<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>GraphWindow</name>
    <message>
        <location filename="../../graph/CsvExport.cpp" line="+77"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 파일에 쓸 수 없습니다: %2</translation>
    </message>
    <message>
        <location filename="../../graph/DatFile.cpp" line="+227"/>
        <source>Cannot open %1: %2</source>
        <translation>%1 파일을 열 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+17"/>
        <source>Cannot read %1: %2</source>
        <translation>%1 파일을 읽을 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Reading %1 was cancelled</source>
        <translation>%1 파일 읽기를 취소했습니다</translation>
    </message>
    <message>
        <location filename="../../graph/GraphWindow.cpp" line="+50"/>
        <source>Open a .DAT file with File &gt; Open, or drop one here.</source>
        <translation>파일 &gt; 열기로 .DAT 파일을 열거나 여기에 끌어다 놓으십시오.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Point at the graph to read each file&apos;s values there. Wheel: zoom; drag: pan; Home: fit all.</source>
        <translation>그래프를 가리키면 그 시각의 파일별 값을 읽습니다. 휠: 확대/축소, 끌기: 이동, Home: 전체 보기.</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+322"/>
        <source>KX5 Graph</source>
        <translation>KX5 그래프</translation>
    </message>
    <message>
        <location line="-312"/>
        <location line="+308"/>
        <source>Temp</source>
        <translation>온도</translation>
    </message>
    <message>
        <location line="-307"/>
        <source>MV (%)</source>
        <translation>MV (%)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Files</source>
        <translation>파일</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File</source>
        <translation>파일</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Station</source>
        <translation>국번</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Records</source>
        <translation>레코드</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skipped lines</source>
        <translation>건너뛴 줄</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+294"/>
        <source>Decimals</source>
        <translation>소수 자릿수</translation>
    </message>
    <message>
        <location line="-294"/>
        <location line="+301"/>
        <source>Unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <location line="-262"/>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Open...</source>
        <translation>열기(&amp;O)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export &amp;CSV</source>
        <translation>CSV 내보내기(&amp;C)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Selected File, Visible Range...</source>
        <translation>선택한 파일, 보이는 범위(&amp;S)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Selected &amp;File, All Records...</source>
        <translation>선택한 파일, 전체 레코드(&amp;F)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All Files, &amp;Visible Range...</source>
        <translation>모든 파일, 보이는 범위(&amp;V)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All Files, All Records...</source>
        <translation>모든 파일, 전체 레코드(&amp;A)...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Export &amp;Image (PNG, PDF)...</source>
        <translation>이미지 내보내기 (PNG, PDF)(&amp;I)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Print...</source>
        <translation>인쇄(&amp;P)...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Close &amp;All</source>
        <translation>모두 닫기(&amp;A)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Quit</source>
        <translation>종료(&amp;Q)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;View</source>
        <translation>보기(&amp;V)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Follow</source>
        <translation>따라가기(&amp;F)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Fit &amp;All</source>
        <translation>전체 보기(&amp;A)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Zoom &amp;In</source>
        <translation>확대(&amp;I)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Zoom &amp;Out</source>
        <translation>축소(&amp;O)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pan &amp;Left</source>
        <translation>왼쪽으로 이동(&amp;L)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pan &amp;Right</source>
        <translation>오른쪽으로 이동(&amp;R)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User &amp;Guide</source>
        <translation>사용자 가이드(&amp;G)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Reading the files...</source>
        <translation>파일을 읽는 중...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+61"/>
        <location line="+468"/>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <location line="-513"/>
        <source>%1: not a file</source>
        <translation>%1: 파일이 아닙니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Reading %1...</source>
        <translation>%1 읽는 중...</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>These files could not be opened:
%1</source>
        <translation>다음 파일을 열 수 없습니다:
%1</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>Temp (%1)</source>
        <translation>온도 (%1)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>KX5 Graph - %1</source>
        <translation>KX5 그래프 - %1</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>%1 file(s), %2 records</source>
        <translation>파일 %1개, 레코드 %2개</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 malformed line(s) skipped</source>
        <translation>잘못된 줄 %1개 건너뜀</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>following</source>
        <translation>따라가기 켜짐</translation>
    </message>
    <message>
        <location line="+167"/>
        <source>Cursor %1 %2</source>
        <translation>커서 %1 %2</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>no record: the file starts at %1</source>
        <translation>레코드 없음: 파일 시작 시각 %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no record: the file ends at %1</source>
        <translation>레코드 없음: 파일 마지막 시각 %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no record: nothing was logged from %1 to %2</source>
        <translation>레코드 없음: 저장되지 않은 구간 %1 ~ %2</translation>
    </message>
    <message>
        <location line="+32"/>
        <location line="+89"/>
        <source>No file is open.</source>
        <translation>열린 파일이 없습니다.</translation>
    </message>
    <message>
        <location line="-62"/>
        <source>Station %1</source>
        <translation>국번 %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Stations %1</source>
        <translation>국번 %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 %2 to %3%4</source>
        <extracomment>The span of the records in view: from date and time to (date and) time.</extracomment>
        <translation>%1 %2 ~ %3%4</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>Data files (*.DAT *.dat);;All files (*)</source>
        <translation>데이터 파일 (*.DAT *.dat);;모든 파일 (*)</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <location line="+5"/>
        <source>Export CSV</source>
        <translation>CSV 내보내기</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+40"/>
        <source>Wrote %1</source>
        <translation>%1 파일에 저장했습니다</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>Image Size</source>
        <translation>이미지 크기</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Width (pixels):</source>
        <translation>너비 (픽셀)(&amp;W):</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Height (pixels):</source>
        <translation>높이 (픽셀)(&amp;H):</translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+10"/>
        <source>Export Image</source>
        <translation>이미지 내보내기</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation>PNG 이미지 (*.png);;PDF 문서 (*.pdf)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Print</source>
        <translation>인쇄</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cannot start printing.</source>
        <translation>인쇄를 시작할 수 없습니다.</translation>
    </message>
</context>
</TS>
