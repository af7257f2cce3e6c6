<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- English: the sources are English but for a few display texts written in Korean; this
     file gives those their English meaning. Everything else shows its source text. -->
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>frmKX5_P_AT</name>
    <message>
        <source>확인[&amp;O]</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>취소[&amp;C]</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
</TS>
