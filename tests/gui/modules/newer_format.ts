<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>OrvellaLanguageModule</name>
    <message>
        <source>format</source>
        <translation>2</translation>
    </message>
</context>
<context>
    <name>TOrvel</name>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
</context>
</TS>
