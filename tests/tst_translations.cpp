// SPDX-License-Identifier: GPL-3.0-or-later

// The German translation switched on and off while the plug-in runs: which texts follow at once,
// which wait for their next refresh and which keep the language they were made in. And the
// translation files themselves: every user text extracted, in the right contexts, translated
// completely and with its placeholders and markup intact.

#include "mainbutton.h"
#include "mainwindow.h"
#include "timeslots.h"
#include "voicedialog.h"

#include <checkbutton.h>
#include <linedlabel.h>
#include <roundslider.h>
#include <simulatedcard.h>
#include <statuslabel.h>
#include <switch.h>
#include <switchpanel.h>

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString PluginTranslation = QStringLiteral(":/i18n/timeslots_de.qm");
const QString PlatformTranslation = QStringLiteral(":/i18n/orvplatform_de.qm");

QString sourcePath(const QString &relative)
{
    return QDir(QStringLiteral(E1_SOURCE_DIR)).filePath(relative);
}

// One message of a .ts file, as lupdate tells messages apart.
struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString translationType;
};

QString messageKey(const Message &message)
{
    return message.context + QLatin1Char('\x1f') + message.source + QLatin1Char('\x1f')
        + message.comment;
}

QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message();
            message.context = context;
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.translationType = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages.append(message);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QSet<QString> keys(const QList<Message> &messages)
{
    QSet<QString> result;
    for (const Message &message : messages)
        result.insert(messageKey(message));
    return result;
}

QString lupdateProgram()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString bin = QLibraryInfo::path(QLibraryInfo::BinariesPath);
#else
    const QString bin = QLibraryInfo::location(QLibraryInfo::BinariesPath);
#endif
    const QString beside = QDir(bin).filePath(QStringLiteral("lupdate"));
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("lupdate"));
}

// Source files of a folder, as lupdate reads them.
QStringList sourceFiles(const QString &folder)
{
    QStringList files;
    QDirIterator it(sourcePath(folder),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                    QDir::Files);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// "%1", "%2": each placeholder as often as it is used.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?\\d"));
    QStringList found;
    auto it = marker.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

QStringList markup(const QString &text)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>|&[a-z]+;"));
    QStringList found;
    auto it = tag.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    return found;
}

QString leadingBlanks(const QString &text)
{
    int n = 0;
    while (n < text.size() && text.at(n).isSpace())
        ++n;
    return text.left(n);
}

QString trailingBlanks(const QString &text)
{
    int n = text.size();
    while (n > 0 && text.at(n - 1).isSpace())
        --n;
    return text.mid(n);
}

// Skips the string or character literal that starts at `i`; returns the index of its closing
// quote.
int literalEnd(const QString &code, int i)
{
    const QChar quote = code.at(i);
    for (++i; i < code.size(); ++i) {
        if (code.at(i) == QLatin1Char('\\'))
            ++i;
        else if (code.at(i) == quote)
            return i;
    }
    return code.size();
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// The text between the parenthesis at `open` and its partner. Literals are skipped, so that a
// parenthesis inside one does not count.
QString balanced(const QString &code, int open, int *end)
{
    int depth = 0;
    for (int i = open; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (isQuote(c)) {
            i = literalEnd(code, i);
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')') && --depth == 0) {
            *end = i;
            return code.mid(open + 1, i - open - 1);
        }
    }
    *end = code.size();
    return code.mid(open + 1);
}

// The contents of the string literals in a piece of code.
QStringList stringLiterals(const QString &code)
{
    QStringList literals;
    for (int i = 0; i < code.size(); ++i) {
        if (!isQuote(code.at(i)))
            continue;
        const int end = literalEnd(code, i);
        if (code.at(i) == QLatin1Char('"'))
            literals << code.mid(i + 1, end - i - 1);
        i = end;
    }
    return literals;
}

// The literals of an argument list that would reach the screen as they are. A call other than
// one that builds a text (tr() among them) takes its literals for itself: a key read with
// configValue(), a resource path, a text that tr() translates.
QStringList shownLiterals(QString code)
{
    static const QRegularExpression call(QStringLiteral("\\b(\\w+)\\s*\\("));
    static const QStringList textBuilders
        = {"QString", "QStringLiteral", "QLatin1String", "fromLatin1", "fromUtf8", "arg"};
    int from = 0;
    QRegularExpressionMatch match;
    while ((match = call.match(code, from)).hasMatch()) {
        if (textBuilders.contains(match.captured(1))) {
            from = match.capturedEnd();
            continue;
        }
        int end = 0;
        balanced(code, match.capturedEnd() - 1, &end);
        code.remove(match.capturedStart(), end + 1 - match.capturedStart());
        from = match.capturedStart();
    }
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList shown;
    for (const QString &literal : stringLiterals(code)) {
        if (word.match(literal).hasMatch())
            shown << literal;
    }
    return shown;
}

// Literal user texts handed to a text setter, each as "line: text".
QStringList untranslatedTexts(const QString &code)
{
    static const QRegularExpression setter(QStringLiteral(
        "\\b(setText|setWindowTitle|setOptionName|setLabel|setCell|setToolTip|setPlaceholderText"
        "|setAccessibleName|setStatusTip|setWhatsThis|setHeaderLabels|setHorizontalHeaderLabels"
        "|addMenu|addAction|addTab|addItem|show|about|warning|information|critical)\\s*\\("));
    QStringList found;
    auto it = setter.globalMatch(code);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        int end = 0;
        const QStringList literals = shownLiterals(balanced(code, match.capturedEnd() - 1, &end));
        const int line = code.left(match.capturedStart()).count(QLatin1Char('\n')) + 1;
        for (const QString &literal : literals)
            found << QStringLiteral("%1: %2").arg(line).arg(literal);
    }
    return found;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void embeddedTranslationsLoad_data();
    void embeddedTranslationsLoad();

    void windowFormFollowsLanguageAtOnce();
    void windowOptionNamesKeepTheLanguageTheyWereMadeIn();
    void voiceDialogLabelsWaitForTheNextUpdate_data();
    void voiceDialogLabelsWaitForTheNextUpdate();
    void buttonRowWaitsForItsNextRefresh();
    void statusTextsUseTheTimeSlotsContext();
    void platformWidgetsRenameThemselves();

    void lupdateFindsNoOtherTexts_data();
    void lupdateFindsNoOtherTexts();
    void translationsAreComplete_data();
    void translationsAreComplete();
    void keysValuesAndCommandWordsAreNotTranslated();
    void noLiteralUserTextBypassesTr_data();
    void noLiteralUserTextBypassesTr();
    void literalCheckTellsUserTextsFromOthers_data();
    void literalCheckTellsUserTextsFromOthers();

private:
    // Installs or removes the plug-in's German translation and delivers the language change.
    void setGerman(bool on);
    // The German text of a message; fails the test when the translation lacks it.
    QString de(const char *context, const char *source);

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    QTranslator *german = nullptr;
    bool installed = false;
};

void tst_Translations::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
    german = new QTranslator;
    QVERIFY(german->load(PluginTranslation));
}

void tst_Translations::cleanup()
{
    setGerman(false);
    delete german;
    german = nullptr;
    delete plugin;
    plugin = nullptr;
    delete card;
    card = nullptr;
}

void tst_Translations::setGerman(bool on)
{
    if (on == installed)
        return;
    if (on)
        QCoreApplication::installTranslator(german);
    else
        QCoreApplication::removeTranslator(german);
    installed = on;
    // The application posts the change to every top-level widget.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

QString tst_Translations::de(const char *context, const char *source)
{
    const QString text = german->translate(context, source);
    if (text.isEmpty())
        qWarning("No German text for %s \"%s\"", context, source);
    return text;
}

void tst_Translations::embeddedTranslationsLoad_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");

    QTest::newRow("plug-in") << PluginTranslation << QByteArray("MainWindow") << QByteArray("Copy");
    QTest::newRow("platform") << PlatformTranslation << QByteArray("WarningWindow")
                              << QByteArray("Warning");
}

void tst_Translations::embeddedTranslationsLoad()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);

    QTranslator translator;
    QVERIFY2(translator.load(path), qPrintable(path));
    QCOMPARE(translator.language(), QStringLiteral("de_DE"));
    const QString text = translator.translate(context.constData(), source.constData());
    QVERIFY(!text.isEmpty());
    QVERIFY(text != QLatin1String(source));
}

void tst_Translations::windowFormFollowsLanguageAtOnce()
{
    QWidget *window = plugin->window();
    QCOMPARE(window->windowTitle(), QStringLiteral("Timeslots"));
    auto text = [window](const char *name) {
        QObject *child = window->findChild<QObject *>(QLatin1String(name));
        return child ? child->property("text").toString() : QStringLiteral("<missing>");
    };

    setGerman(true);
    // The form's own title comes back, translated; the plug-in's title is not set again.
    QCOMPARE(window->windowTitle(), de("MainWindow", "Form"));
    QVERIFY(window->windowTitle() != de("TimeSlots", "Timeslots"));
    QCOMPARE(text("label"), de("MainWindow", " Receive"));
    QCOMPARE(text("label_2"), de("MainWindow", "Transmit"));
    QCOMPARE(text("copyToRx"), de("MainWindow", "Copy"));
    QCOMPARE(text("copyToTx"), de("MainWindow", "Copy"));
    QCOMPARE(text("rxAll"), de("MainWindow", "All slots"));
    QCOMPARE(text("txAll"), de("MainWindow", "All slots"));
    QCOMPARE(text("btnVoiceFunc"), de("MainWindow", "Voice"));
    QCOMPARE(text("btnPrbs"), de("MainWindow", "PRBS"));
    QVERIFY(text("label") != QLatin1String(" Receive"));
    QVERIFY(text("copyToRx") != QLatin1String("Copy"));

    setGerman(false);
    QCOMPARE(window->windowTitle(), QStringLiteral("Form"));
    QCOMPARE(text("label"), QStringLiteral(" Receive"));
    QCOMPARE(text("copyToTx"), QStringLiteral("Copy"));
    QCOMPARE(text("txAll"), QStringLiteral("All slots"));
    QCOMPARE(text("btnVoiceFunc"), QStringLiteral("Voice"));
}

void tst_Translations::windowOptionNamesKeepTheLanguageTheyWereMadeIn()
{
    auto names = [](QWidget *window) {
        QStringList list;
        for (const char *name : {"rxSlots", "txSlots"}) {
            auto *panel = window->findChild<SwitchPanel *>(QLatin1String(name));
            for (int option = 0; option < 3; ++option)
                list << (panel ? panel->optionName(option) : QStringLiteral("<missing>"));
        }
        for (const char *name : {"rxAll", "txAll"}) {
            auto *all = window->findChild<Switch *>(QLatin1String(name));
            for (int option = 0; option < 2; ++option)
                list << (all ? all->optionName(option) : QStringLiteral("<missing>"));
        }
        return list;
    };
    const QStringList english
        = {"off", "PRBS", "Voice", "off", "PRBS", "Voice", "off", "PRBS", "off", "PRBS"};

    QCOMPARE(names(plugin->window()), english);
    setGerman(true);
    QCOMPARE(names(plugin->window()), english);

    // A plug-in object made while German is installed makes its names in German, and keeps them.
    delete plugin;
    plugin = new TimeSlots;
    const QString off = de("MainWindow", "off");
    const QString prbs = de("MainWindow", "PRBS");
    const QString voice = de("MainWindow", "Voice");
    const QStringList germanNames = {off, prbs, voice, off, prbs, voice, off, prbs, off, prbs};
    QVERIFY(off != QLatin1String("off") && voice != QLatin1String("Voice"));
    QCOMPARE(names(plugin->window()), germanNames);
    setGerman(false);
    QCOMPARE(names(plugin->window()), germanNames);
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
    QCOMPARE(dialog.windowTitle(), de("VoiceDialog", "Dialog"));
    QCOMPARE(dialog.findChild<LinedLabel *>(QStringLiteral("linedLabel_1"))->label(),
             de("VoiceDialog", "Receive"));
    QCOMPARE(dialog.findChild<LinedLabel *>(QStringLiteral("linedLabel"))->label(),
             de("VoiceDialog", "Transmit"));
    QCOMPARE(dialog.findChild<CheckButton *>(QStringLiteral("btnSpeaker"))->text(),
             de("VoiceDialog", "Loudspeaker"));
    QCOMPARE(dialog.findChild<CheckButton *>(QStringLiteral("btnMicrophone"))->text(),
             de("VoiceDialog", "Microphone"));
    QCOMPARE(dialog.findChild<CheckButton *>(QStringLiteral("btnTone"))->text(),
             de("VoiceDialog", "Tone 1 kHz"));
    QCOMPARE(labelRx->text(), QString());
    QCOMPARE(labelTx->text(), QString());

    if (receiveVoice) {
        // Data fills the receive table again, with German captions; transmit still waits.
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
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: on"));

    setGerman(true);
    QCOMPARE(push->text(), de("MainButton", "Timeslots"));
    QCOMPARE(button->windowTitle(), de("MainButton", "Form"));
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: on"));

    // Showing the button is its refresh.
    button->show();
    QCOMPARE(row->cellText(0, 0), de("TimeSlots", "PRBS: ") + QStringLiteral("2e15-1"));
    QCOMPARE(row->cellText(1, 0), de("TimeSlots", "VF: ") + de("TimeSlots", "on"));
    QVERIFY(row->cellText(1, 0) != QLatin1String("VF: on"));

    card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("none"));
    card->setConfigValue(QStringLiteral("timeslot-tx-5"), QStringLiteral("none"));
    QTRY_COMPARE(row->cellText(1, 0), de("TimeSlots", "VF: ") + de("TimeSlots", "off"));

    setGerman(false);
    QCOMPARE(push->text(), QStringLiteral("Timeslots"));
    QCOMPARE(row->cellText(1, 0), de("TimeSlots", "VF: ") + de("TimeSlots", "off"));
    button->configUpdated();
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: off"));
}

void tst_Translations::statusTextsUseTheTimeSlotsContext()
{
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("off"));
    auto *item = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    QVERIFY(item);
    QCOMPARE(item->cellText(0, 0), QStringLiteral("Timeslots"));

    setGerman(true);
    QCOMPARE(item->cellText(0, 0), QStringLiteral("Timeslots"));
    card->publishData(
        QStringLiteral("vfsignal"),
        {{QStringLiteral("level"), QStringLiteral("-3")}, {QStringLiteral("frequency"), "990"}});
    QTRY_COMPARE(item->cellText(0, 0), de("TimeSlots", "Timeslots"));
    QVERIFY(item->cellText(0, 0) != QLatin1String("Timeslots"));
    QCOMPARE(item->cellText(0, 1), de("TimeSlots", "PRBS: ") + QStringLiteral("2e15-1"));
    QCOMPARE(item->cellText(1, 1), de("TimeSlots", "VF: ") + de("TimeSlots", "on"));
    QCOMPARE(item->cellText(1, 2),
             de("TimeSlots", "Voice :")
                 + de("TimeSlots", "  %1 dB, %2 Hz").arg(QStringLiteral("-3"), "990"));

    QString text, exponent;
    TimeSlots::prbsText(text, exponent, QStringLiteral("all1"), true);
    QCOMPARE(text, de("TimeSlots", "All %1").arg(QString(QChar(0x2018)) + '1' + QChar(0x2019)));
    TimeSlots::prbsText(text, exponent, QStringLiteral("0x1A2B"), true);
    QCOMPARE(text, de("TimeSlots", "Manually"));
    QVERIFY(text != QLatin1String("Manually"));
}

void tst_Translations::platformWidgetsRenameThemselves()
{
    QTranslator platform;
    QVERIFY(platform.load(PlatformTranslation));
    StatusLabel status;
    SwitchPanel panel;
    RoundSlider dial;
    RoundSlider named;
    named.setAccessibleName(QStringLiteral("Loudspeaker volume"));
    QCOMPARE(status.accessibleName(), QStringLiteral("Status"));
    QCOMPARE(panel.accessibleName(), QStringLiteral("Slot buttons"));
    QCOMPARE(dial.accessibleName(), QStringLiteral("Level"));

    QCoreApplication::installTranslator(&platform);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(panel.accessibleName(), platform.translate("SwitchPanel", "Slot buttons"));
    QCOMPARE(
        dial.accessibleName(),
        platform.translate("RoundSlider", "Level", "Accessible name of a dial that sets a level"));
    QVERIFY(panel.accessibleName() != QLatin1String("Slot buttons"));
    QVERIFY(dial.accessibleName() != QLatin1String("Level"));
    // A name the user gave is the user's.
    QCOMPARE(named.accessibleName(), QStringLiteral("Loudspeaker volume"));

    QCoreApplication::removeTranslator(&platform);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(status.accessibleName(), QStringLiteral("Status"));
    QCOMPARE(panel.accessibleName(), QStringLiteral("Slot buttons"));
    QCOMPARE(dial.accessibleName(), QStringLiteral("Level"));
    QCOMPARE(named.accessibleName(), QStringLiteral("Loudspeaker volume"));
}

// lupdate run afresh over the sources finds exactly the messages of the committed file: none is
// missing from it, none is left over, and so none was written outside a translation call that
// lupdate would have seen.
void tst_Translations::lupdateFindsNoOtherTexts_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("ts");
    QTest::addColumn<QStringList>("contexts");

    QTest::newRow("plug-in") << QStringList{"plugin"} << "plugin/translations/timeslots_de.ts"
                             << QStringList{"MainButton", "MainWindow", "TimeSlots", "VoiceDialog"};
    QTest::newRow("platform") << QStringList{"platform/orvwidgets", "platform/orvprbs",
                                             "interfaces/orvwidgets", "interfaces/orvprbs"}
                              << "platform/translations/orvplatform_de.ts" << QStringList();
    QTest::newRow("launcher") << QStringList{"launcher"} << "launcher/translations/e1launcher_de.ts"
                              << QStringList();
}

void tst_Translations::lupdateFindsNoOtherTexts()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, ts);
    QFETCH(QStringList, contexts);

    if (!QFileInfo::exists(sourcePath(ts)))
        QSKIP("This translation is not there yet");
    const QString lupdate = lupdateProgram();
    if (lupdate.isEmpty())
        QSKIP("lupdate is not installed");

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString fresh = temporary.filePath(QStringLiteral("fresh.ts"));
    QStringList arguments{"-silent", "-no-obsolete", "-locations", "none"};
    for (const char *include :
         {"interfaces/orvcontroller", "interfaces/orvwidgets", "interfaces/orvprbs"})
        arguments << QStringLiteral("-I") << sourcePath(QLatin1String(include));
    for (const QString &folder : folders)
        arguments << sourceFiles(folder);
    arguments << QStringLiteral("-ts") << fresh;
    QProcess process;
    process.start(lupdate, arguments);
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    QString error;
    const QList<Message> extracted = readTs(fresh, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QList<Message> committed = readTs(sourcePath(ts), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!extracted.isEmpty());

    const QSet<QString> now = keys(extracted);
    const QSet<QString> before = keys(committed);
    QStringList missing = QSet<QString>(now).subtract(before).values();
    QStringList stale = QSet<QString>(before).subtract(now).values();
    missing.replaceInStrings(QLatin1String("\x1f"), QLatin1String(" | "));
    stale.replaceInStrings(QLatin1String("\x1f"), QLatin1String(" | "));
    QVERIFY2(missing.isEmpty(), qPrintable("not in the .ts file: " + missing.join(", ")));
    QVERIFY2(stale.isEmpty(), qPrintable("no longer in the sources: " + stale.join(", ")));

    if (!contexts.isEmpty()) {
        QSet<QString> found;
        for (const Message &message : extracted)
            found.insert(message.context);
        QStringList sorted = found.values();
        sorted.sort();
        QCOMPARE(sorted, contexts);
    }
}

void tst_Translations::translationsAreComplete_data()
{
    QTest::addColumn<QString>("ts");

    QTest::newRow("plug-in") << "plugin/translations/timeslots_de.ts";
    QTest::newRow("platform") << "platform/translations/orvplatform_de.ts";
    QTest::newRow("launcher") << "launcher/translations/e1launcher_de.ts";
}

void tst_Translations::translationsAreComplete()
{
    QFETCH(QString, ts);
    if (!QFileInfo::exists(sourcePath(ts)))
        QSKIP("This translation is not there yet");

    QString error;
    const QList<Message> messages = readTs(sourcePath(ts), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!messages.isEmpty());
    for (const Message &message : messages) {
        const QByteArray where
            = (message.context + QLatin1String(": \"") + message.source + QLatin1Char('"'))
                  .toUtf8();
        QVERIFY2(message.translationType.isEmpty(), where.constData());
        QVERIFY2(!message.translation.isEmpty(), where.constData());
        // arg() fills what the source names; markup and blanks frame the text where it is shown.
        QVERIFY2(placeholders(message.translation) == placeholders(message.source),
                 where.constData());
        QVERIFY2(markup(message.translation) == markup(message.source), where.constData());
        QVERIFY2(leadingBlanks(message.translation) == leadingBlanks(message.source),
                 where.constData());
        QVERIFY2(trailingBlanks(message.translation) == trailingBlanks(message.source),
                 where.constData());
        // A menu or button mnemonic stays a mnemonic.
        QVERIFY2(message.source.contains(QLatin1Char('&')) == message.translation.contains('&'),
                 where.constData());
    }
}

void tst_Translations::keysValuesAndCommandWordsAreNotTranslated()
{
    QString error;
    const QList<Message> messages
        = readTs(sourcePath(QStringLiteral("plugin/translations/timeslots_de.ts")), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QSet<QString> sources;
    for (const Message &message : messages)
        sources.insert(message.source);
    // Slot labels, slot values, directions, sources and the words of the card's commands.
    for (const char *word :
         {"FAS", "CAS", "none", "pat", "voice", "rx", "tx", "tone", "microphone", "speaker",
          "timeslot", "structure", "pattern", "vfsource", "unstr", "pcm30", "2e15-1", "VFSIGNAL"})
        QVERIFY2(!sources.contains(QLatin1String(word)), word);
}

// A literal text handed to a text setter without passing through tr() would never be
// translated, and lupdate does not see it. Keys, resource paths and texts without a word in
// them are no user texts.
void tst_Translations::noLiteralUserTextBypassesTr_data()
{
    QTest::addColumn<QString>("folder");

    QTest::newRow("plug-in") << "plugin";
    QTest::newRow("widgets") << "platform/orvwidgets";
    QTest::newRow("prbs") << "platform/orvprbs";
    QTest::newRow("launcher") << "launcher";
}

void tst_Translations::noLiteralUserTextBypassesTr()
{
    QFETCH(QString, folder);

    const QStringList files = sourceFiles(folder).filter(QRegularExpression("\\.(cpp|h)$"));
    QVERIFY(!files.isEmpty());
    QStringList offenders;
    for (const QString &path : files) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &text : untranslatedTexts(QString::fromUtf8(file.readAll())))
            offenders << QFileInfo(path).fileName() + QLatin1Char(':') + text;
    }
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1String("; "))));
}

void tst_Translations::literalCheckTellsUserTextsFromOthers_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("literal") << "label->setText(QStringLiteral(\"Copy\"));"
                             << QStringList{"1: Copy"};
    QTest::newRow("translated") << "label->setText(tr(\"Copy\"));" << QStringList();
    QTest::newRow("translated with a note")
        << "b->setText(PrbsDialog::tr(\"Apply\", \"Send the pattern\"));" << QStringList();
    QTest::newRow("part translated")
        << "w->setWindowTitle(QLatin1String(\"Title: \") + tr(\"Form\"));"
        << QStringList{"1: Title: "};
    QTest::newRow("format") << "x;\nb->setText(QString::fromLatin1(\"PRBS: %1\").arg(p));"
                            << QStringList{"2: PRBS: %1"};
    QTest::newRow("key of a read") << "l->setText(tr(\"E1  %1\").arg(name(card.configValue("
                                      "QStringLiteral(\"structure\")))));"
                                   << QStringList();
    QTest::newRow("resource path")
        << "i->setCell(0, 2, Qt::AlignLeft, QPixmap(\":/main/resource/speaker_s.png\"), false);"
        << QStringList();
    QTest::newRow("no word") << "prefix->setText(QStringLiteral(\"0x\"));" << QStringList();
    QTest::newRow("parenthesis in a literal")
        << "l->setText(tr(\"(%1\").arg(QLatin1Char(')')) + QLatin1String(\"Hz)\"));"
        << QStringList{"1: Hz)"};
}

void tst_Translations::literalCheckTellsUserTextsFromOthers()
{
    QFETCH(QString, code);
    QFETCH(QStringList, found);
    QCOMPARE(untranslatedTexts(code), found);
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
