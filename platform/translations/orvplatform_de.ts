<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BasePopupWindow</name>
    <message>
        <location filename="../orvwidgets/basepopupwindow.cpp" line="+49"/>
        <source>Popup</source>
        <comment>Accessible name of a popup window without a name of its own</comment>
        <translation>Popup-Fenster</translation>
    </message>
</context>
<context>
    <name>BottomPanel</name>
    <message>
        <location filename="../orvwidgets/bottompanel.cpp" line="+11"/>
        <source>Function buttons</source>
        <comment>Accessible name of a screen&apos;s bottom bar</comment>
        <translation>Funktionstasten</translation>
    </message>
</context>
<context>
    <name>OptionChooser</name>
    <message>
        <location filename="../orvwidgets/optionchooser.cpp" line="+29"/>
        <location line="+333"/>
        <source>Options</source>
        <comment>Accessible name of the popup that lists a button&apos;s options</comment>
        <translation>Optionen</translation>
    </message>
</context>
<context>
    <name>PrbsDialog</name>
    <message>
        <location filename="../orvprbs/prbsdialog.cpp" line="+210"/>
        <location line="+1"/>
        <location line="+1"/>
        <source>Test pattern</source>
        <translation>Testmuster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pseudo-random sequence</source>
        <translation>Pseudozufallsfolge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fixed word</source>
        <translation>Festes Wort</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User pattern</source>
        <translation>Benutzermuster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User pattern in hexadecimal</source>
        <translation>Benutzermuster, hexadezimal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>up to 8 hex digits</source>
        <translation>bis zu 8 Hex-Ziffern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply</source>
        <comment>Send the user pattern to the card</comment>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>In use: %1</source>
        <translation>Aktuell: %1</translation>
    </message>
</context>
<context>
    <name>PrbsModel</name>
    <message>
        <location filename="../orvprbs/prbsmodel.cpp" line="+80"/>
        <source>All zeros</source>
        <translation>Alle Nullen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>All ones</source>
        <translation>Alle Einsen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Alternating 0101</source>
        <translation>Wechselnd 0101</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User pattern %1</source>
        <comment>%1 is the pattern in hexadecimal, 0x1A2B</comment>
        <translation>Benutzermuster %1</translation>
    </message>
</context>
<context>
    <name>RoundSlider</name>
    <message>
        <location filename="../orvwidgets/roundslider.cpp" line="+111"/>
        <location line="+201"/>
        <source>Level</source>
        <comment>Accessible name of a dial that sets a level</comment>
        <translation>Pegel</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message>
        <location filename="../orvwidgets/statuslabel.cpp" line="+194"/>
        <location line="+146"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>SwitchPanel</name>
    <message>
        <location filename="../orvwidgets/switchpanel.cpp" line="+272"/>
        <source>Slot %1</source>
        <comment>Heading of the options of a slot button</comment>
        <translation>Zeitschlitz %1</translation>
    </message>
    <message>
        <location line="+118"/>
        <location line="+345"/>
        <source>Slot buttons</source>
        <translation>Zeitschlitztasten</translation>
    </message>
</context>
<context>
    <name>WarningWindow</name>
    <message>
        <location filename="../orvwidgets/warningwindow.cpp" line="+93"/>
        <location line="+1"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
