<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CardPanel</name>
    <message>
        <location filename="../cardpanel.cpp" line="+63"/>
        <source>unframed</source>
        <translation>ungerahmt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PCM30</source>
        <translation>PCM30</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PCM30 with CRC-4</source>
        <translation>PCM30 mit CRC-4</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PCM31</source>
        <translation>PCM31</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PCM31 with CRC-4</source>
        <translation>PCM31 mit CRC-4</translation>
    </message>
    <message>
        <location line="+90"/>
        <source>Simulated E1 card &quot;%1&quot;</source>
        <translation>Simulierte E1-Karte „%1“</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command Log</source>
        <translation>Befehlsprotokoll</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Masks</source>
        <translation>Masken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reset to Factory Settings</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Line</source>
        <translation>Leitung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Structure:</source>
        <translation>&amp;Rahmenstruktur:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Measurements</source>
        <translation>Messungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Runs the measurement &quot;%1&quot;</source>
        <translation>Führt die Messung „%1“ aus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Live voice-frequency signal</source>
        <translation>Laufendes NF-Signal</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Faults</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Clear Log</source>
        <translation>Protokoll leeren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Removes every entry of the log</source>
        <translation>Entfernt alle Einträge des Protokolls</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>the card is busy</source>
        <translation>die Karte ist belegt</translation>
    </message>
    <message>
        <location line="-100"/>
        <source>Error text of the refusal</source>
        <translation>Fehlertext der Ablehnung</translation>
    </message>
    <message>
        <location line="-22"/>
        <source>Factory configuration, no mask overrides, no faults and every measurement stopped; the log is kept and notes the reset</source>
        <translation>Werkskonfiguration, keine überschriebenen Masken, keine Fehler und alle Messungen angehalten; das Protokoll bleibt erhalten und vermerkt das Zurücksetzen</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The line is looped back: the receive voice timeslot hears what transmit sends in it. An unstructured line has no timeslots and no live signal.</source>
        <translation>Die Leitung ist zurückgeschleift: Der Sprach-Zeitschlitz im Empfang hört, was die Sendeseite darin sendet. Eine unstrukturierte Leitung hat keine Zeitschlitze und kein laufendes Signal.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>An error text containing &quot;voice&quot; makes the plug-in warn</source>
        <translation>Ein Fehlertext, der „voice“ enthält, lässt das Plug-in warnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refuse Next Command</source>
        <translation>Nächsten ablehnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fail to open measurement feeds</source>
        <translation>Messdatenquellen nicht öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>While ticked, the next feed a reader opens gets no proxy (the voice dialog opens one when it is first shown); the log notes each feed that failed</source>
        <translation>Solange angekreuzt, erhält die nächste Messdatenquelle, die ein Leser öffnet, keinen Proxy (der Sprachdialog öffnet eine, wenn er zum ersten Mal erscheint); das Protokoll vermerkt jede fehlgeschlagene Quelle</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>#</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Command, e.g. timeslot rx 7 pat</source>
        <translation>Befehl, z. B. timeslot rx 7 pat</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove Value</source>
        <translation>Wert entfernen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit a value to change it on the card, without its rules.</source>
        <translation>Einen Wert bearbeiten, um ihn auf der Karte zu ändern, ohne ihre Regeln.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mask</source>
        <translation>Maske</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An empty mask leaves the item available; edited masks are kept until cleared.</source>
        <translation>Eine leere Maske lässt den Eintrag verfügbar; bearbeitete Masken bleiben, bis sie zurückgesetzt werden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear Override</source>
        <translation>Überschreibung aufheben</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Card reset to factory settings</source>
        <translation>Karte auf Werkseinstellungen zurückgesetzt</translation>
    </message>
    <message>
        <location line="+187"/>
        <source>No receive timeslot carries voice: there is nothing to hear.</source>
        <translation>Kein Empfangszeitschlitz führt Sprache: Es gibt nichts zu hören.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receive timeslot %1 hears transmit timeslot %1: tone 1 kHz</source>
        <translation>Empfangszeitschlitz %1 hört Sendezeitschlitz %1: Ton 1 kHz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receive timeslot %1 hears transmit timeslot %1: microphone</source>
        <translation>Empfangszeitschlitz %1 hört Sendezeitschlitz %1: Mikrofon</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receive timeslot %1 hears nothing: transmit timeslot %1 carries no voice</source>
        <translation>Empfangszeitschlitz %1 hört nichts: Sendezeitschlitz %1 führt keine Sprache</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Receive timeslot %1 hears nothing: transmit timeslot %1 has no sound source (vfsource &quot;%2&quot;)</source>
        <translation>Empfangszeitschlitz %1 hört nichts: Sendezeitschlitz %1 hat keine Tonquelle (vfsource „%2“)</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Set by hand; &quot;Clear Override&quot; hands it back to the card</source>
        <translation>Von Hand gesetzt; „Überschreibung aufheben“ gibt sie an die Karte zurück</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The next command will be refused.</source>
        <translation>Der nächste Befehl wird abgelehnt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Commands are answered by the card&apos;s rules.</source>
        <translation>Die Karte antwortet nach ihren Regeln.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>refused: %1</source>
        <translation>abgelehnt: %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>accepted</source>
        <translation>angenommen</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>%1

Double-click copies the entry.</source>
        <translation>%1

Doppelklick kopiert den Eintrag.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>open feed &quot;%1&quot;</source>
        <translation>Messdatenquelle „%1“ öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>failed: no proxy, the card fails to open feeds</source>
        <translation>fehlgeschlagen: kein Proxy, die Karte öffnet keine Messdatenquellen</translation>
    </message>
</context>
<context>
    <name>LauncherApplication</name>
    <message>
        <location filename="../launcherapplication.cpp" line="+29"/>
        <source>Pressing “%1”</source>
        <translation>Der Druck auf „%1“</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Handling an event for “%1”</source>
        <translation>Ein Ereignis für „%1“</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>an exception of unknown type</source>
        <translation>eine Ausnahme unbekannter Art</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 failed in the plug-in: %2</source>
        <translation>%1 ist im Plug-in fehlgeschlagen: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Plug-in failure</source>
        <translation>Fehler im Plug-in</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The launcher abandoned what the plug-in was doing and goes on running. The card&apos;s configuration and the command log are kept.</source>
        <translation>Der Launcher hat abgebrochen, was das Plug-in gerade tat, und läuft weiter. Die Konfiguration der Karte und das Befehlsprotokoll bleiben erhalten.</translation>
    </message>
</context>
<context>
    <name>LauncherWindow</name>
    <message>
        <location filename="../launcherwindow.cpp" line="+166"/>
        <source>unframed</source>
        <translation>ungerahmt</translation>
    </message>
    <message>
        <location line="+67"/>
        <location line="+325"/>
        <source>Plug-in: %1</source>
        <translation>Plug-in: %1</translation>
    </message>
    <message>
        <location line="-273"/>
        <location line="+182"/>
        <source>Opening the plug-in&apos;s window</source>
        <translation>Das Öffnen des Plug-in-Fensters</translation>
    </message>
    <message>
        <location line="-177"/>
        <source>the plug-in gave no window</source>
        <translation>das Plug-in hat kein Fenster geliefert</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Creating the plug-in&apos;s status item</source>
        <translation>Das Anlegen der Statusanzeige des Plug-ins</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Creating the plug-in&apos;s button</source>
        <translation>Das Anlegen der Taste des Plug-ins</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>About E1 Launcher</source>
        <translation>Über E1 Launcher</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;p&gt;&lt;b&gt;E1 Launcher&lt;/b&gt; %1&lt;/p&gt;&lt;p&gt;Runs the instrument&apos;s timeslot plug-in on the desktop, over a simulated E1 card.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;E1 Launcher&lt;/b&gt; %1&lt;/p&gt;&lt;p&gt;Führt das Zeitschlitz-Plug-in des Messgeräts auf dem Desktop aus, über einer simulierten E1-Karte.&lt;/p&gt;</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>E1 Launcher</source>
        <translation>E1 Launcher</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E1 line test instrument  ·  2.048 Mbit/s</source>
        <translation>E1-Leitungsmessgerät  ·  2,048 Mbit/s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Press an application&apos;s button to open it on this screen.</source>
        <translation>Die Taste einer Anwendung drücken, um sie auf diesem Bildschirm zu öffnen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close the window and return to the launcher</source>
        <translation>Das Fenster schließen und zum Launcher zurückkehren</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Launcher</source>
        <translation>&amp;Launcher</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Open Window</source>
        <translation>Fenster ö&amp;ffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Close Window</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Card</source>
        <translation>&amp;Karte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Reset to Factory Settings</source>
        <translation>Auf &amp;Werkseinstellungen zurücksetzen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Simulated Card</source>
        <translation>Simulierte Karte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Simulated &amp;Card</source>
        <translation>Simulierte &amp;Karte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Language</source>
        <extracomment>Menu of the languages, each named in its own language.</extracomment>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>E1  %1</source>
        <translation>E1  %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Running: %1</source>
        <translation>Läuft: %1</translation>
    </message>
</context>
<context>
    <name>PluginLoader</name>
    <message>
        <location filename="../pluginloader.cpp" line="+48"/>
        <source>it is empty</source>
        <translation>er ist leer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>it has %1 lines instead of %2</source>
        <translation>er hat %1 Zeilen statt %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>line %1 does not begin with &quot;%2&quot;</source>
        <translation>Zeile %1 beginnt nicht mit „%2“</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the pattern is not QT_PLUGIN_VERIFICATION_DATA</source>
        <translation>das Muster ist nicht QT_PLUGIN_VERIFICATION_DATA</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is not a Qt 4 version</source>
        <translation>„%1“ ist keine Qt-4-Version</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the debug flag &quot;%1&quot; is neither true nor false</source>
        <translation>das Debug-Kennzeichen „%1“ ist weder true noch false</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the build key is empty</source>
        <translation>der Build-Schlüssel ist leer</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it is a directory, not a library</source>
        <translation>es ist ein Verzeichnis, keine Bibliothek</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not a loadable library (%1)</source>
        <translation>keine ladbare Bibliothek (%1)</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+12"/>
        <source>the library does not export %1()</source>
        <translation>die Bibliothek exportiert %1() nicht</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>the plug-in verification text is malformed, %1: %2</source>
        <translation>der Prüftext des Plug-ins ist fehlerhaft, %1: %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1() failed: %2</source>
        <translation>%1() ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1() returned no object</source>
        <translation>%1() hat kein Objekt geliefert</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>its plug-in object is a %1, not a LauncherPlugin</source>
        <translation>sein Plug-in-Objekt ist ein %1, kein LauncherPlugin</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Cannot load the plug-in %1: %2</source>
        <translation>Das Plug-in %1 kann nicht geladen werden: %2</translation>
    </message>
</context>
<context>
    <name>Screenshots</name>
    <message>
        <location filename="../screenshots.cpp" line="+62"/>
        <source>%1 is a file, not a folder</source>
        <translation>%1 ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cannot create the folder %1</source>
        <translation>Der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cannot write into the folder %1</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No plug-in is loaded</source>
        <translation>Kein Plug-in geladen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>the plug-in&apos;s window did not open</source>
        <translation>das Fenster des Plug-ins hat sich nicht geöffnet</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the window has no slot panels</source>
        <translation>das Fenster hat keine Zeitschlitzfelder</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>nothing to show</source>
        <translation>nichts anzuzeigen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the window has no button %1</source>
        <translation>das Fenster hat keine Taste %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>pressing %1 opened no %2</source>
        <translation>ein Druck auf %1 hat kein %2 geöffnet</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>no receive timeslot to choose voice on</source>
        <translation>kein Empfangszeitschlitz, auf dem Sprache gewählt werden kann</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>the plug-in showed no warning</source>
        <translation>das Plug-in hat keine Warnung gezeigt</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../commandline.cpp" line="+172"/>
        <source>Runs the E1 timeslot plug-in as the instrument&apos;s launcher does, over a simulated E1 card.</source>
        <translation>Führt das E1-Zeitschlitz-Plug-in so aus wie der Launcher des Messgeräts, über einer simulierten E1-Karte.</translation>
    </message>
    <message>
        <location line="-135"/>
        <source>The plug-in library to load (default: %1).</source>
        <translation>Die zu ladende Plug-in-Bibliothek (Vorgabe: %1).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The size of the instrument&apos;s screen in pixels (default: 640x480).</source>
        <translation>Die Größe des Bildschirms des Messgeräts in Pixeln (Vorgabe: 640x480).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Render the launcher and the plug-in&apos;s screens offscreen into PNG files in &lt;dir&gt;, print their paths and exit.</source>
        <translation>Den Launcher und die Bildschirme des Plug-ins ohne Anzeige in PNG-Dateien in &lt;dir&gt; zeichnen, ihre Pfade ausgeben und beenden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The language of the screens: %1 (default: en).</source>
        <translation>Die Sprache der Bildschirme: %1 (Vorgabe: en).</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Try &apos;e1-launcher --help&apos; for the options.</source>
        <translation>„e1-launcher --help“ zeigt die Optionen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>bad screen size &apos;%1&apos;: give WIDTHxHEIGHT, from 320x240 to 3840x2160</source>
        <translation>ungültige Bildschirmgröße „%1“: BREITExHÖHE angeben, von 320x240 bis 3840x2160</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>unknown language &apos;%1&apos;: give one of %2</source>
        <translation>unbekannte Sprache „%1“: eine von %2 angeben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--screenshots needs a folder</source>
        <translation>--screenshots braucht einen Ordner</translation>
    </message>
    <message>
        <source>--plugin needs a path</source>
        <translation>--plugin braucht einen Pfad</translation>
    </message>
    <message>
        <location filename="../main.cpp" line="+107"/>
        <source>No display: rendering the screenshots into ./%1 instead of opening the launcher.</source>
        <translation>Keine Anzeige: Die Bildschirmfotos werden nach ./%1 gezeichnet, statt den Launcher zu öffnen.</translation>
    </message>
</context>
</TS>
