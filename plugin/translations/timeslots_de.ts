<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainButton</name>
    <message>
        <location filename="../mainbutton.ui" line="+14"/>
        <source>Form</source>
        <extracomment>Title of the bare form.</extracomment>
        <translation>Formular</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Timeslots</source>
        <extracomment>The plug-in&apos;s button on the launcher.</extracomment>
        <translation>Zeitschlitze</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../mainwindow.ui" line="+21"/>
        <source>Form</source>
        <extracomment>Title of the bare form; the plug-in gives the window its own title.</extracomment>
        <translation>Formular</translation>
    </message>
    <message>
        <location line="+66"/>
        <source> Receive</source>
        <extracomment>Heading of the receive panel; keep the leading blank.</extracomment>
        <translation> Empfang</translation>
    </message>
    <message>
        <location line="+78"/>
        <location line="+226"/>
        <source>All slots</source>
        <extracomment>Switch that sets every timeslot of a direction at once.</extracomment>
        <translation>Alle Slots</translation>
    </message>
    <message>
        <location line="-141"/>
        <location line="+226"/>
        <source>Copy</source>
        <extracomment>Copies the other direction&apos;s timeslots into this one.</extracomment>
        <translation>Kopieren</translation>
    </message>
    <message>
        <location line="-157"/>
        <source>Transmit</source>
        <extracomment>Heading of the transmit panel.</extracomment>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+262"/>
        <location filename="../mainwindow.cpp" line="+72"/>
        <location line="+167"/>
        <source>Voice</source>
        <extracomment>Opens the voice dialog: test tone, microphone and loudspeaker.
----------
Option of a slot button: the timeslot carries the voice channel.</extracomment>
        <translation>Sprache</translation>
    </message>
    <message>
        <location line="+42"/>
        <location filename="../mainwindow.cpp" line="-169"/>
        <location line="+163"/>
        <location line="+5"/>
        <source>PRBS</source>
        <extracomment>Opens the PRBS test pattern settings (usually kept as is).
----------
Option of a slot button: the timeslot carries the PRBS test pattern.</extracomment>
        <translation>PRBS</translation>
    </message>
    <message>
        <location filename="../mainwindow.cpp" line="-170"/>
        <location line="+164"/>
        <location line="+5"/>
        <source>off</source>
        <extracomment>Option of a slot button and of &quot;All slots&quot;: the timeslot carries no test traffic.</extracomment>
        <translation>aus</translation>
    </message>
    <message>
        <location line="+224"/>
        <source>Only one timeslot may be selected for sound reception.</source>
        <translation>Nur ein Zeitschlitz darf für den Tonempfang ausgewählt werden.</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Voice...</source>
        <extracomment>Caption drawn on the button that opens the voice dialog.</extracomment>
        <translation>Sprache...</translation>
    </message>
</context>
<context>
    <name>TimeSlots</name>
    <message>
        <location filename="../timeslots.cpp" line="+46"/>
        <location filename="../statustexts.cpp" line="+70"/>
        <source>Timeslots</source>
        <extracomment>Title of the timeslot window.
----------
Title of the status panel item.</extracomment>
        <translation>Zeitschlitze</translation>
    </message>
    <message>
        <location line="+90"/>
        <location line="+3"/>
        <source>All %1</source>
        <extracomment>Test pattern of one repeated bit; %1 is the bit in quotation marks, ‘0’ or ‘1’.</extracomment>
        <translation>Alle %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Manually</source>
        <extracomment>Test pattern entered by hand.</extracomment>
        <translation>Manuell</translation>
    </message>
    <message>
        <location filename="../statustexts.cpp" line="-27"/>
        <source>PRBS: </source>
        <extracomment>Begins the status row&apos;s test pattern, such as &quot;PRBS: 2e15-1&quot;; keep the blank.</extracomment>
        <translation>PRBS: </translation>
    </message>
    <message>
        <location line="+9"/>
        <source>VF: </source>
        <extracomment>Voice frequency: begins the status row&apos;s &quot;VF: on&quot; or &quot;VF: off&quot;; keep the blank.</extracomment>
        <translation>NF: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>on</source>
        <extracomment>After &quot;VF: &quot;: a voice timeslot is set.</extracomment>
        <translation>ein</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>  %1 dB, %2 Hz</source>
        <extracomment>Received voice level (%1) and frequency (%2); keep the two leading blanks.</extracomment>
        <translation>  %1 dB, %2 Hz</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Voice :</source>
        <extracomment>Stands before the received level and frequency while the loudspeaker is off.</extracomment>
        <translation>Sprache:</translation>
    </message>
</context>
<context>
    <name>VoiceDialog</name>
    <message>
        <location filename="../voicedialog.ui" line="+21"/>
        <source>Dialog</source>
        <extracomment>Title of the voice dialog&apos;s bare form.</extracomment>
        <translation>Dialog</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Receive</source>
        <extracomment>Caption above the receive side: loudspeaker and received signal.</extracomment>
        <translation>Empfang</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Loudspeaker</source>
        <translation>Lautsprecher</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Transmit</source>
        <extracomment>Caption above the transmit side: microphone and test tone.</extracomment>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Tone 1 kHz</source>
        <translation>Ton 1 kHz</translation>
    </message>
    <message>
        <location filename="../voicedialog.cpp" line="+106"/>
        <source>There is no timeslot for sound reception.</source>
        <translation>Es ist kein Zeitschlitz für den Tonempfang gewählt.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>There is no timeslot for sound transmission.</source>
        <translation>Es ist kein Zeitschlitz für das Senden von Ton gewählt.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>&lt;nobr&gt;Level : &amp;nbsp;&lt;/nobr&gt;&lt;br&gt;&lt;nobr&gt;Frequency : &amp;nbsp;&lt;/nobr&gt;</source>
        <extracomment>Captions of the received signal&apos;s level and frequency, one per line; keep the HTML tags.</extracomment>
        <translation>&lt;nobr&gt;Pegel: &amp;nbsp;&lt;/nobr&gt;&lt;br&gt;&lt;nobr&gt;Frequenz: &amp;nbsp;&lt;/nobr&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 dB&lt;br&gt;%2 Hz</source>
        <extracomment>Received level (%1, in decibels) above received frequency (%2, in hertz).</extracomment>
        <translation>%1 dB&lt;br&gt;%2 Hz</translation>
    </message>
</context>
</TS>
