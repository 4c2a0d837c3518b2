// SPDX-License-Identifier: GPL-3.0-or-later

// Text that people and libraries hand the system, chosen by the first byte, each a clear refusal
// or a valid result: launcher arguments (one a line), a command typed into the card panel, a user
// pattern typed into the PRBS dialog or handed to its model, a plug-in's verification text.

#include "fuzzing.h"

#include "cardpanel.h"
#include "commandline.h"
#include "languages.h"
#include "pluginloader.h"

#include <cardcontroller.h>
#include <prbsdialog.h>
#include <prbsmodel.h>
#include <simulatedcard.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTreeWidget>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

struct Fixture
{
    SimulatedCard card;
    CardPanel panel{card};
    PrbsModel model{card.controller()};
    PrbsDialog dialog{nullptr, false};
    Fixture() { dialog.setModel(&model); }
};

void commandLine(const QString &text)
{
    const CommandLine line = parseCommandLine(QStringList("e1-launcher") + text.split('\n'));
    if (!line.error.isEmpty()) {
        require(!line.error.startsWith(' ') && line.error.count('\n') <= 1,
                "unclear refusal: " + line.error);
        return;
    }
    if (line.request != CommandLine::Run)
        return;
    require(line.screenSize.width() >= 320 && line.screenSize.height() >= 240
                && line.screenSize.width() <= 99999 && line.screenSize.height() <= 99999,
            "screen size of " + text);
    require(Languages::codes().contains(line.language) && !line.pluginPath.isEmpty(),
            "language or plug-in of " + text);
}

// A pattern command is what the card stores, and the model then reads the pattern sent.
void patternSent(Fixture &fixture, int logged, const QString &typed)
{
    const QStringList sent = fixture.card.commandLog().mid(logged);
    require(sent.size() <= 1, "several commands for " + typed);
    if (sent.isEmpty())
        return;
    const QString value = sent.first().mid(QString("pattern ").size());
    require(sent.first().startsWith("pattern ") && fixture.card.configValue("pattern") == value,
            "refused or changed: " + sent.first());
    require(isUserPattern(value) || PrbsModel::patterns().contains(value),
            "not a pattern: " + sent.first());
    require(fixture.model.pattern() == value, "model reads " + fixture.model.pattern());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fixture &fixture = ::fixture<Fixture>();
    SimulatedCard &card = fixture.card;
    FuzzedDataProvider input(data, size);
    const int entry = input.ConsumeIntegralInRange(0, 4);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString text = QString::fromUtf8(bytes.data(), int(bytes.size()));
    const int logged = card.commandLog().size();
    switch (entry) {
    case 0:
        commandLine(text);
        break;
    case 1: { // the card panel sends the trimmed text, unless there is none
        auto *field = fixture.panel.findChild<QLineEdit *>("commandLine");
        auto *log = fixture.panel.findChild<QTreeWidget *>("commandLog");
        const int entries = log->topLevelItemCount();
        field->setText(text);
        emit field->returnPressed();
        const bool sent = !text.trimmed().isEmpty();
        require(card.commandLog().size() == logged + sent
                    && log->topLevelItemCount() == entries + sent,
                "panel's log of " + text);
        require(!sent || card.commandLog().last() == text.trimmed(), "panel sent " + text);
        break;
    }
    case 2: { // typed into the dialog's field: only hexadecimal digits get in
        auto *field = fixture.dialog.findChild<QLineEdit *>("userPattern");
        field->clear();
        field->insert(text);
        emit field->returnPressed();
        patternSent(fixture, logged, text);
        break;
    }
    case 3:
        fixture.model.setPattern(text);
        patternSent(fixture, logged, text);
        break;
    default: {
        const QByteArray verification = QByteArray::fromStdString(bytes);
        const bool good = PluginLoader::verificationProblem(verification).isEmpty();
        require(!good || verification.startsWith("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4."),
                "accepted verification text " + verification.toPercentEncoding());
    }
    }
    // The panel's log is cleared with the card's, so that it does not grow from input to input.
    fixture.panel.findChild<QAbstractButton *>("clearLog")->click();
    card.reset();
    return 0;
}
