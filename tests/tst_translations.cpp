// SPDX-License-Identifier: GPL-3.0-or-later
// German switched on and off while the plug-in runs: which texts follow at once, which wait for
// their next refresh, which keep their language; and the catalogue against lupdate's extraction.

#include "languages.h"
#include "launcherwindow.h"
#include "mainbutton.h"
#include "testsupport.h"
#include "timeslots.h"
#include "voicedialog.h"

#include <statuslabel.h>
#include <switch.h>
#include <switchpanel.h>

namespace {

using Message = QHash<QString, QString>; // its context, source, comment, translation and type

// The messages of a catalogue by "context|source|comment".
QMultiMap<QString, Message> readTs(const QString &path)
{
    QMultiMap<QString, Message> messages;
    Message message;
    QFile file(path);
    QXmlStreamReader xml(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == "name")
            context = xml.readElementText();
        else if (name == "message") {
            message.clear();
            message.insert("context", context);
        } else if (name == "translation")
            message["type"] = xml.attributes().value("type").toString();
        if (name == "source" || name == "comment" || name == "translation")
            message[name] = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (name == "translation") // the last of a message
            messages.insert(context + '|' + message["source"] + '|' + message["comment"], message);
    }
    return messages;
}

// Placeholders, markup, entities and mnemonics: what a translation must keep of its source.
QStringList tokens(const QString &text)
{
    static const QRegularExpression token("%L?\\d|<[^>]*>|&[a-z]+;|&");
    QStringList found;
    for (auto it = token.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private:
    void setGerman(bool on)
    {
        on ? QCoreApplication::installTranslator(&german)
           : QCoreApplication::removeTranslator(&german);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
    QString de(const char *c, const char *s) const { return german.translate(c, s); }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    QTranslator german;

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard("e1");
        plugin = new TimeSlots;
        QVERIFY(german.load(":/i18n/timeslots_de.qm"));
    }
    void cleanup()
    {
        setGerman(false);
        delete plugin;
        delete card;
    }

    // The form's texts follow the language at once; option names keep the one they were made in.
    void windowTextsFollowOrKeepTheLanguage()
    {
        auto names = [this] {
            QStringList list;
            for (const char *name : {"rxSlots", "txSlots"})
                for (int option = 0; option < 3; ++option)
                    list << plugin->window()->findChild<SwitchPanel *>(name)->optionName(option);
            for (const char *name : {"rxAll", "txAll"})
                for (int option = 0; option < 2; ++option)
                    list << plugin->window()->findChild<Switch *>(name)->optionName(option);
            return list.join(" ");
        };
        const QString english = "off PRBS Voice off PRBS Voice off PRBS off PRBS";
        QStringList translated;
        for (const QString &name : english.split(' '))
            translated << de("MainWindow", name.toLatin1().constData());
        QWidget *window = plugin->window();
        QCOMPARE(window->windowTitle(), "Timeslots");
        QCOMPARE(names(), english);
        const std::pair<const char *, const char *> texts[]
            = {{"label", " Receive"}, {"label_2", "Transmit"},  {"copyToRx", "Copy"},
               {"copyToTx", "Copy"},  {"rxAll", "All slots"},   {"txAll", "All slots"},
               {"btnPrbs", "PRBS"},   {"btnVoiceFunc", "Voice"}};
        for (bool on : {true, false}) {
            setGerman(on);
            // The form's own title comes back: the plug-in does not set its title again.
            QCOMPARE(window->windowTitle(), on ? de("MainWindow", "Form") : "Form");
            for (const auto &text : texts) {
                QObject *child = window->findChild<QObject *>(QLatin1String(text.first));
                QCOMPARE(child->property("text").toString(),
                         on ? de("MainWindow", text.second) : QLatin1String(text.second));
            }
            QCOMPARE(names(), english);
        }
        setGerman(true);
        delete plugin;
        plugin = new TimeSlots;
        QCOMPARE(names(), translated.join(" "));
        setGerman(false);
        QCOMPARE(names(), translated.join(" "));
    }

    // Emptied by the language change, the received-signal table comes back in German with the
    // next data, the transmit message with the next update.
    void voiceDialogLabelsWaitForTheNextUpdate()
    {
        const auto vd = [this](const char *text) { return de("VoiceDialog", text); };
        card->setConfigValue("timeslot-tx-5", "none"); // the card's factory settings: 5 both ways
        VoiceDialog dialog(*plugin, nullptr);
        dialog.configUpdated();
        auto *labelRx = dialog.findChild<QLabel *>("labelRx");
        auto *labelTx = dialog.findChild<QLabel *>("labelTx");
        setGerman(true);
        QCOMPARE(labelRx->text() + labelTx->text(), QString());
        card->publishData("vfsignal", Compat::variantMap({{"level", "-7"}, {"frequency", "1020"}}));
        QVERIFY(labelRx->text().contains(
            vd("<nobr>Level : &nbsp;</nobr><br><nobr>Frequency : &nbsp;</nobr>")));
        QVERIFY(labelRx->text().contains(vd("%1 dB<br>%2 Hz").arg("&ndash;7", "1020")));
        QCOMPARE(labelTx->text(), QString());
        dialog.configUpdated();
        QCOMPARE(labelTx->text(), vd("There is no timeslot for sound transmission."));
        card->setConfigValue("timeslot-rx-5", "none");
        dialog.configUpdated();
        QCOMPARE(labelRx->text(), vd("There is no timeslot for sound reception."));
    }

    // The button's row and the status panel item, both in the TimeSlots context.
    void statusRowsWaitForTheirNextRefresh()
    {
        const auto ts = [this](const char *text) { return de("TimeSlots", text); };
        card->setConfigValue("speaker", "off");
        auto *button = qobject_cast<MainButton *>(plugin->button());
        auto *item = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
        auto *row = button->findChild<StatusLabel *>("statusLabel");
        auto *push = button->findChild<QPushButton *>("pushButton");
        setGerman(true);
        QCOMPARE(push->text(), de("MainButton", "Timeslots"));
        QCOMPARE(row->cellText(0, 0), "PRBS: 2e15-1");
        QCOMPARE(row->cellText(1, 0), "VF: on");
        QCOMPARE(item->cellText(0, 0), "Timeslots");
        button->show(); // showing the button is its refresh
        QCOMPARE(row->cellText(0, 0), ts("PRBS: ") + "2e15-1");
        QCOMPARE(row->cellText(1, 0), ts("VF: ") + ts("on"));
        card->publishData("vfsignal", Compat::variantMap({{"level", "-3"}, {"frequency", "990"}}));
        QTRY_COMPARE(item->cellText(0, 0), ts("Timeslots"));
        QCOMPARE(item->cellText(0, 1), ts("PRBS: ") + "2e15-1");
        QCOMPARE(item->cellText(1, 1), ts("VF: ") + ts("on"));
        QCOMPARE(item->cellText(1, 2), ts("Voice :") + ts("  %1 dB, %2 Hz").arg("-3", "990"));
        card->setConfigValue("timeslot-rx-5", "none");
        card->setConfigValue("timeslot-tx-5", "none");
        QTRY_COMPARE(row->cellText(1, 0), ts("VF: ") + ts("off"));
        setGerman(false);
        QCOMPARE(push->text(), "Timeslots");
        QCOMPARE(row->cellText(1, 0), ts("VF: ") + ts("off"));
        button->configUpdated();
        QCOMPARE(row->cellText(1, 0), "VF: off");
    }

    void launcherLanguageMenuRetranslatesTheOpenWindow()
    {
        Languages languages;
        LauncherWindow launcher(*plugin, *card);
        launcher.setLanguages(&languages);
        launcher.show();
        launcher.openPluginWindow();
        QVERIFY(launcher.isPluginWindowOpen());
        auto *copy = plugin->window()->findChild<QPushButton *>("copyToRx");
        launcher.languageMenu()->findChild<QAction *>("language-de")->trigger();
        QCOMPARE(languages.current(), "de");
        QTRY_COMPARE(copy->text(), de("MainWindow", "Copy"));
        QTRY_COMPARE(launcher.languageMenu()->title(),
                     QCoreApplication::translate("LauncherWindow", "&Language"));
        QVERIFY(launcher.languageMenu()->title() != QLatin1String("&Language"));
        launcher.languageMenu()->findChild<QAction *>("language-en")->trigger();
        QVERIFY(languages.installedCatalogues().isEmpty());
        QTRY_COMPARE(copy->text(), "Copy");
    }

    // lupdate run afresh over the sources finds exactly the committed messages, all translated.
    void lupdateYieldsExactlyTheCommittedCatalogue()
    {
#ifndef E1_LUPDATE
        QSKIP("the build found no lupdate");
#else
        QTemporaryDir temporary;
        const QString fresh = temporary.filePath("fresh.ts");
        const QStringList arguments
            = QString("-silent -no-obsolete -locations none -extensions cpp,h,ui").split(' ')
            << E1_SOURCE_DIR "/plugin"
            << "-ts" << fresh;
        QCOMPARE(QProcess::execute(E1_LUPDATE, arguments), 0);
        const auto committed = readTs(E1_SOURCE_DIR "/plugin/translations/timeslots_de.ts");
        QCOMPARE(readTs(fresh).keys(), committed.keys());
        QSet<QString> contexts;
        for (auto it = committed.constBegin(); it != committed.constEnd(); ++it) {
            contexts << it.value()["context"];
            QVERIFY2(it.value()["type"].isEmpty() && !it.value()["translation"].isEmpty(),
                     qPrintable(it.key()));
            QVERIFY2(tokens(it.value()["translation"]) == tokens(it.value()["source"]),
                     qPrintable(it.key()));
        }
        QCOMPARE(contexts,
                 (QSet<QString>() << "MainButton"
                                  << "MainWindow"
                                  << "TimeSlots"
                                  << "VoiceDialog"));
#endif
    }
};

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
