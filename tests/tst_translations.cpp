// SPDX-License-Identifier: GPL-3.0-or-later

// German switched on and off while the plug-in runs: which texts follow at once, which wait for
// their next refresh, which keep their language; and the catalogue against lupdate's extraction.

#include "languages.h"
#include "launcherwindow.h"
#include "mainbutton.h"
#include "timeslots.h"
#include "voicedialog.h"

#include <simulatedcard.h>
#include <statuslabel.h>
#include <switch.h>
#include <switchpanel.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

const QString Sources = QStringLiteral(E1_SOURCE_DIR "/");

struct Message
{
    QString context, source, comment, translation, type;
    QString key() const { return context + " | " + source + " | " + comment; }
};

QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == "name") {
            context = xml.readElementText();
        } else if (name == "message") {
            message = Message{context, {}, {}, {}, {}};
        } else if (name == "source") {
            message.source = xml.readElementText();
        } else if (name == "comment") {
            message.comment = xml.readElementText();
        } else if (name == "translation") {
            message.type = xml.attributes().value("type").toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages << message;
        }
    }
    return messages;
}

// Placeholders, markup, entities and mnemonics: what a translation must keep of its source.
QStringList tokens(const QString &text)
{
    static const QRegularExpression token(QStringLiteral("%L?\\d|<[^>]*>|&[a-z]+;|&"));
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

private Q_SLOTS:
    void init();
    void cleanup();
    void windowFormFollowsTheLanguageAtOnce();
    void optionNamesKeepTheLanguageTheyWereMadeIn();
    void voiceDialogLabelsWaitForTheNextUpdate_data();
    void voiceDialogLabelsWaitForTheNextUpdate();
    void buttonRowWaitsForItsNextRefresh();
    void statusTextsUseTheTimeSlotsContext();
    void launcherLanguageMenuRetranslatesTheOpenWindow();
    void lupdateYieldsExactlyTheCommittedCatalogue();

private:
    void setGerman(bool on);
    QString de(const char *context, const char *s) const { return german.translate(context, s); }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    QTranslator german;
};

void tst_Translations::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
    QVERIFY(german.load(QStringLiteral(":/i18n/timeslots_de.qm")));
}

void tst_Translations::cleanup()
{
    setGerman(false);
    delete plugin;
    delete card;
}

void tst_Translations::setGerman(bool on)
{
    on ? QCoreApplication::installTranslator(&german) : QCoreApplication::removeTranslator(&german);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void tst_Translations::windowFormFollowsTheLanguageAtOnce()
{
    QWidget *window = plugin->window();
    QCOMPARE(window->windowTitle(), QStringLiteral("Timeslots"));
    const QList<QPair<const char *, const char *>> texts
        = {{"label", " Receive"}, {"label_2", "Transmit"},  {"copyToRx", "Copy"},
           {"copyToTx", "Copy"},  {"rxAll", "All slots"},   {"txAll", "All slots"},
           {"btnPrbs", "PRBS"},   {"btnVoiceFunc", "Voice"}};
    for (bool on : {true, false}) {
        setGerman(on);
        // The form's own title comes back: the plug-in does not set its title again.
        QCOMPARE(window->windowTitle(), on ? de("MainWindow", "Form") : QStringLiteral("Form"));
        for (const auto &text : texts) {
            QObject *child = window->findChild<QObject *>(QLatin1String(text.first));
            QVERIFY2(child, text.first);
            QCOMPARE(child->property("text").toString(),
                     on ? de("MainWindow", text.second) : QLatin1String(text.second));
        }
    }
}

void tst_Translations::optionNamesKeepTheLanguageTheyWereMadeIn()
{
    auto names = [this] {
        QStringList list;
        for (const char *name : {"rxSlots", "txSlots"})
            for (int option = 0; option < 3; ++option)
                list << plugin->window()->findChild<SwitchPanel *>(name)->optionName(option);
        for (const char *name : {"rxAll", "txAll"})
            for (int option = 0; option < 2; ++option)
                list << plugin->window()->findChild<Switch *>(name)->optionName(option);
        return list;
    };
    const QStringList english
        = {"off", "PRBS", "Voice", "off", "PRBS", "Voice", "off", "PRBS", "off", "PRBS"};
    QStringList translated;
    for (const QString &name : english)
        translated << de("MainWindow", name.toLatin1().constData());

    QCOMPARE(names(), english);
    setGerman(true);
    QCOMPARE(names(), english);
    delete plugin;
    plugin = new TimeSlots;
    QCOMPARE(names(), translated);
    setGerman(false);
    QCOMPARE(names(), translated);
}

void tst_Translations::voiceDialogLabelsWaitForTheNextUpdate_data()
{
    QTest::addColumn<bool>("receiveVoice");
    QTest::addColumn<bool>("transmitVoice");
    QTest::newRow("no voice timeslot") << false << false;
    QTest::newRow("receive voice only") << true << false;
    QTest::newRow("transmit voice only") << false << true;
}

void tst_Translations::voiceDialogLabelsWaitForTheNextUpdate()
{
    QFETCH(bool, receiveVoice);
    QFETCH(bool, transmitVoice);
    // The card's factory settings put voice on timeslot 5 both ways.
    if (!receiveVoice)
        card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("none"));
    if (!transmitVoice)
        card->setConfigValue(QStringLiteral("timeslot-tx-5"), QStringLiteral("none"));
    VoiceDialog dialog(*plugin, nullptr);
    dialog.configUpdated();
    auto *labelRx = dialog.findChild<QLabel *>(QStringLiteral("labelRx"));
    auto *labelTx = dialog.findChild<QLabel *>(QStringLiteral("labelTx"));
    QVERIFY(labelRx && labelTx);
    QVERIFY(!labelRx->text().isEmpty());
    QCOMPARE(labelTx->text().isEmpty(), transmitVoice);

    setGerman(true);
    QCOMPARE(labelRx->text(), QString());
    QCOMPARE(labelTx->text(), QString());
    if (receiveVoice) {
        card->publishData(QStringLiteral("vfsignal"),
                          {{QStringLiteral("level"), QStringLiteral("-7")},
                           {QStringLiteral("frequency"), QStringLiteral("1020")}});
        QVERIFY(labelRx->text().contains(
            de("VoiceDialog", "<nobr>Level : &nbsp;</nobr><br><nobr>Frequency : &nbsp;</nobr>")));
        QCOMPARE(labelTx->text(), QString());
    }
    dialog.configUpdated();
    if (receiveVoice)
        QVERIFY(labelRx->text().contains(
            de("VoiceDialog", "%1 dB<br>%2 Hz").arg(QStringLiteral("&ndash;7"), "1020")));
    else
        QCOMPARE(labelRx->text(), de("VoiceDialog", "There is no timeslot for sound reception."));
    QCOMPARE(labelTx->text(),
             transmitVoice ? QString()
                           : de("VoiceDialog", "There is no timeslot for sound transmission."));
}

void tst_Translations::buttonRowWaitsForItsNextRefresh()
{
    auto *button = qobject_cast<MainButton *>(plugin->button());
    QVERIFY(button);
    auto *row = button->findChild<StatusLabel *>(QStringLiteral("statusLabel"));
    auto *push = button->findChild<QPushButton *>(QStringLiteral("pushButton"));
    QVERIFY(row && push);
    const QString germanVf = de("TimeSlots", "VF: ");

    setGerman(true);
    QCOMPARE(push->text(), de("MainButton", "Timeslots"));
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: on"));
    button->show(); // showing the button is its refresh
    QCOMPARE(row->cellText(0, 0), de("TimeSlots", "PRBS: ") + "2e15-1");
    QCOMPARE(row->cellText(1, 0), germanVf + de("TimeSlots", "on"));
    card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("none"));
    card->setConfigValue(QStringLiteral("timeslot-tx-5"), QStringLiteral("none"));
    QTRY_COMPARE(row->cellText(1, 0), germanVf + de("TimeSlots", "off"));

    setGerman(false);
    QCOMPARE(push->text(), QStringLiteral("Timeslots"));
    QCOMPARE(row->cellText(1, 0), germanVf + de("TimeSlots", "off"));
    button->configUpdated();
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: off"));
}

void tst_Translations::statusTextsUseTheTimeSlotsContext()
{
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("off"));
    auto *item = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    QVERIFY(item);
    setGerman(true);
    QCOMPARE(item->cellText(0, 0), QStringLiteral("Timeslots"));
    card->publishData(
        QStringLiteral("vfsignal"),
        {{QStringLiteral("level"), QStringLiteral("-3")}, {QStringLiteral("frequency"), "990"}});
    QTRY_COMPARE(item->cellText(0, 0), de("TimeSlots", "Timeslots"));
    QCOMPARE(item->cellText(0, 1), de("TimeSlots", "PRBS: ") + "2e15-1");
    QCOMPARE(item->cellText(1, 1), de("TimeSlots", "VF: ") + de("TimeSlots", "on"));
    QCOMPARE(item->cellText(1, 2),
             de("TimeSlots", "Voice :")
                 + de("TimeSlots", "  %1 dB, %2 Hz").arg(QStringLiteral("-3"), "990"));
}

void tst_Translations::launcherLanguageMenuRetranslatesTheOpenWindow()
{
    Languages languages;
    LauncherWindow launcher(*plugin, *card);
    launcher.setLanguages(&languages);
    launcher.show();
    launcher.openPluginWindow();
    QVERIFY(launcher.isPluginWindowOpen());
    auto *copy = plugin->window()->findChild<QPushButton *>(QStringLiteral("copyToRx"));
    auto *title = launcher.findChild<QLabel *>(QStringLiteral("windowTitle"));
    QVERIFY(copy && title);
    QVERIFY(!languages.setLanguage(QStringLiteral("fr")));

    launcher.languageMenu()->findChild<QAction *>(QStringLiteral("language-de"))->trigger();
    QCOMPARE(languages.current(), QStringLiteral("de"));
    QTRY_COMPARE(copy->text(), de("MainWindow", "Copy"));
    QCOMPARE(title->text(), de("MainWindow", "Form"));
    QTRY_COMPARE(launcher.languageMenu()->title(),
                 QCoreApplication::translate("LauncherWindow", "&Language"));
    QVERIFY(launcher.languageMenu()->title() != QLatin1String("&Language"));

    launcher.languageMenu()->findChild<QAction *>(QStringLiteral("language-en"))->trigger();
    QVERIFY(languages.installedCatalogues().isEmpty());
    QTRY_COMPARE(copy->text(), QStringLiteral("Copy"));
    QCOMPARE(title->text(), QStringLiteral("Form"));
}

// lupdate run afresh over the sources finds exactly the committed messages, all translated.
void tst_Translations::lupdateYieldsExactlyTheCommittedCatalogue()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString lupdate = QLibraryInfo::path(QLibraryInfo::BinariesPath) + "/lupdate";
#else
    const QString lupdate = QLibraryInfo::location(QLibraryInfo::BinariesPath) + "/lupdate";
#endif
    if (!QFileInfo(lupdate).isExecutable())
        QSKIP("lupdate is not installed");
    QTemporaryDir temporary;
    const QString fresh = temporary.filePath(QStringLiteral("fresh.ts"));
    QProcess process;
    process.start(lupdate,
                  {"-silent", "-no-obsolete", "-locations", "none", "-extensions", "cpp,h,ui",
                   Sources + "plugin", "-ts", fresh});
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    QStringList extracted, committed, contexts;
    for (const Message &message : readTs(fresh))
        extracted << message.key();
    for (const Message &message : readTs(Sources + "plugin/translations/timeslots_de.ts")) {
        committed << message.key();
        contexts << message.context;
        QVERIFY2(message.type.isEmpty() && !message.translation.isEmpty(),
                 qPrintable(message.key()));
        QVERIFY2(tokens(message.translation) == tokens(message.source), qPrintable(message.key()));
    }
    extracted.sort();
    committed.sort();
    contexts.sort();
    contexts.removeDuplicates();
    QCOMPARE(extracted, committed);
    QCOMPARE(contexts, QStringList({"MainButton", "MainWindow", "TimeSlots", "VoiceDialog"}));
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
