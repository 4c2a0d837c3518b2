// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardpanel.h"

#include <simulatedcard.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

const QColor refusedColor(0xB0, 0x20, 0x20);
const QColor acceptedColor(0x2E, 0x7D, 0x32);
const QColor overrideColor(0xFF, 0xF1, 0xD6);

// Configuration and mask keys in the order a reader expects: "timeslot-rx-2" before
// "timeslot-rx-10".
bool keyLess(const QString &a, const QString &b)
{
    auto split = [](const QString &key) {
        int digits = key.size();
        while (digits > 0 && key.at(digits - 1).isDigit())
            --digits;
        return std::make_pair(key.left(digits), key.mid(digits));
    };
    const auto left = split(a);
    const auto right = split(b);
    if (left.first != right.first)
        return left.first < right.first;
    if (left.second.size() != right.second.size())
        return left.second.size() < right.second.size();
    return left.second < right.second;
}

QStringList sortedKeys(const QVariantMap &map)
{
    QStringList keys = map.keys();
    std::sort(keys.begin(), keys.end(), keyLess);
    return keys;
}

QString structureDescription(const QString &structure)
{
    if (structure == QLatin1String("unstr"))
        return CardPanel::tr("unframed");
    if (structure == QLatin1String("pcm30"))
        return CardPanel::tr("PCM30");
    if (structure == QLatin1String("pcm30crc"))
        return CardPanel::tr("PCM30 with CRC-4");
    if (structure == QLatin1String("pcm31"))
        return CardPanel::tr("PCM31");
    if (structure == QLatin1String("pcm31crc"))
        return CardPanel::tr("PCM31 with CRC-4");
    return QString();
}

// A key column and a value column; their headers come with the panel's texts.
QTableWidget *keyValueTable(const QString &objectName, QWidget *parent)
{
    auto *table = new QTableWidget(0, 2, parent);
    table->setObjectName(objectName);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(22);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    table->setAlternatingRowColors(true);
    return table;
}

QTableWidgetItem *keyItem(const QString &key)
{
    auto *item = new QTableWidgetItem(key);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

CardPanel::CardPanel(SimulatedCard &card, QWidget *parent)
    : QWidget(parent)
    , card(card)
{
    setObjectName(QStringLiteral("CardPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    title = new QLabel(this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(createLineGroup());
    layout->addWidget(createMeasurementGroup());
    layout->addWidget(createFaultGroup());

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("cardTabs"));
    tabs->addTab(createLogPage(), QString());
    tabs->addTab(createConfigurationPage(), QString());
    tabs->addTab(createMaskPage(), QString());
    layout->addWidget(tabs, 1);

    resetButton = new QPushButton(this);
    resetButton->setObjectName(QStringLiteral("resetCard"));
    connect(resetButton, SIGNAL(clicked()), this, SLOT(resetCard()));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(resetButton);
    layout->addLayout(bottom);

    connect(&card, SIGNAL(configurationChanged()), this, SLOT(refresh()));
    connect(&card, SIGNAL(commandExecuted(QString, bool, QString)), this,
            SLOT(appendLogEntry(QString, bool, QString)));
    connect(&card, SIGNAL(measurementChanged(QString, bool)), this, SLOT(refreshMeasurements()));
    connect(&card, SIGNAL(liveSignalChanged(bool)), this, SLOT(refreshMeasurements()));
    connect(&card, SIGNAL(feedFailed(QString)), this, SLOT(noteFailedFeed(QString)));

    for (const QString &command : card.commandLog())
        appendLogEntry(command, false, QString());
    retranslate();
    refreshMeasurements();
    refresh();
    orderTabs();
    setMinimumWidth(420);
}

CardPanel::~CardPanel() = default;

void CardPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        refresh();
    }
    QWidget::changeEvent(event);
}

// Every text of the panel but the log's entries, which keep the language they were written in.
void CardPanel::retranslate()
{
    title->setText(tr("Simulated E1 card \"%1\"").arg(card.name()));
    tabs->setTabText(0, tr("Command Log"));
    tabs->setTabText(1, tr("Configuration"));
    tabs->setTabText(2, tr("Masks"));
    resetButton->setText(tr("Reset to Factory Settings"));
    resetButton->setToolTip(tr("Factory configuration, no mask overrides, no faults and every "
                               "measurement stopped; the log is kept and notes the reset"));

    lineGroup->setTitle(tr("Line"));
    structureLabel->setText(tr("&Structure:"));
    for (int i = 0; i < structure->count(); ++i) {
        const QString value = structure->itemData(i).toString();
        const QString description = structureDescription(value);
        structure->setItemText(
            i,
            description.isEmpty() ? value : QStringLiteral("%1 \u2013 %2").arg(value, description));
    }

    measurementGroup->setTitle(tr("Measurements"));
    for (QCheckBox *box : std::as_const(measurements))
        box->setToolTip(tr("Runs the measurement \"%1\"").arg(box->property("feed").toString()));
    liveSignal->setText(tr("Live voice-frequency signal"));
    liveSignal->setToolTip(tr("The line is looped back: the receive voice timeslot hears what "
                              "transmit sends in it. An unstructured line has no timeslots and "
                              "no live signal."));

    faultGroup->setTitle(tr("Faults"));
    refusalText->setPlaceholderText(tr("Error text of the refusal"));
    refusalText->setToolTip(tr("An error text containing \"voice\" makes the plug-in warn"));
    refuseNext->setText(tr("Refuse Next Command"));
    proxyFailure->setText(tr("Fail to open measurement feeds"));
    proxyFailure->setToolTip(tr("While ticked, the next feed a reader opens gets no proxy (the "
                                "voice dialog opens one when it is first shown); the log notes "
                                "each feed that failed"));

    log->setHeaderLabels(QStringList() << tr("#") << tr("Command") << tr("Result"));
    commandLine->setPlaceholderText(tr("Command, e.g. timeslot rx 7 pat"));
    clearLogButton->setText(tr("Clear Log"));
    clearLogButton->setToolTip(tr("Removes every entry of the log"));
    configTable->setHorizontalHeaderLabels(QStringList() << tr("Key") << tr("Value"));
    removeValueAction->setText(tr("Remove Value"));
    configurationHint->setText(tr("Edit a value to change it on the card, without its rules."));
    maskTable->setHorizontalHeaderLabels(QStringList() << tr("Key") << tr("Mask"));
    maskHint->setText(tr("An empty mask leaves the item available; edited masks are kept until "
                         "cleared."));
    clearOverrideButton->setText(tr("Clear Override"));
}

void CardPanel::setStructure(const QString &value)
{
    sendCommand(QStringLiteral("structure ") + value);
}

void CardPanel::sendCommand(const QString &command)
{
    card.execute(command);
}

void CardPanel::resetCard()
{
    card.reset();
    QTreeWidgetItem *entry = newLogEntry(tr("Card reset to factory settings"), QString());
    QFont italic = entry->font(0);
    italic.setItalic(true);
    entry->setFont(0, italic);
    addLogEntry(entry);
    refusalArmed = false;
    refreshMeasurements();
    refresh();
}

QWidget *CardPanel::createLineGroup()
{
    lineGroup = new QGroupBox(this);
    auto *form = new QFormLayout(lineGroup);
    structure = new QComboBox(lineGroup);
    structure->setObjectName(QStringLiteral("structure"));
    for (const QString &value : SimulatedCard::structures())
        structure->addItem(value, value);
    Compat::connect(structure, SIGNAL(activated(int)), this,
                    [this](int index) { setStructure(structure->itemData(index).toString()); });
    structureLabel = new QLabel(lineGroup);
    structureLabel->setBuddy(structure);
    form->addRow(structureLabel, structure);
    return lineGroup;
}

QWidget *CardPanel::createMeasurementGroup()
{
    measurementGroup = new QGroupBox(this);
    QGroupBox *group = measurementGroup;
    auto *grid = new QGridLayout(group);
    const QStringList feeds = SimulatedCard::feedNames();
    for (int i = 0; i < feeds.size(); ++i) {
        const QString feed = feeds.at(i);
        auto *box = new QCheckBox(feed, group);
        box->setObjectName(QStringLiteral("measurement-") + feed);
        box->setProperty("feed", feed);
        Compat::connect(box, SIGNAL(clicked(bool)), this, [this, feed](bool on) {
            if (on)
                this->card.startMeasurement(feed);
            else
                this->card.stopMeasurement(feed);
        });
        grid->addWidget(box, i / 3, i % 3);
        measurements.append(box);
    }
    liveSignal = new QCheckBox(group);
    liveSignal->setObjectName(QStringLiteral("liveSignal"));
    Compat::connect(liveSignal, SIGNAL(clicked(bool)), this, [this](bool on) {
        card.setLiveSignal(on);
        refreshMeasurements(); // the card keeps it off on an unstructured line
    });
    const int liveRow = (feeds.size() + 2) / 3;
    grid->addWidget(liveSignal, liveRow, 0, 1, 3);
    loopback = new QLabel(group);
    loopback->setObjectName(QStringLiteral("loopback"));
    loopback->setWordWrap(true);
    grid->addWidget(loopback, liveRow + 1, 0, 1, 3);
    return group;
}

QWidget *CardPanel::createFaultGroup()
{
    faultGroup = new QGroupBox(this);
    QGroupBox *group = faultGroup;
    auto *grid = new QGridLayout(group);
    // The user's own text once typed; the example is in the language the panel started in.
    refusalText = new QLineEdit(tr("the card is busy"), group);
    refusalText->setObjectName(QStringLiteral("refusalText"));
    refuseNext = new QPushButton(group);
    refuseNext->setObjectName(QStringLiteral("refuseNext"));
    connect(refuseNext, SIGNAL(clicked()), this, SLOT(armRefusal()));
    connect(refusalText, SIGNAL(returnPressed()), this, SLOT(armRefusal()));
    refusalState = new QLabel(group);
    refusalState->setObjectName(QStringLiteral("refusalState"));
    proxyFailure = new QCheckBox(group);
    proxyFailure->setObjectName(QStringLiteral("proxyFailure"));
    Compat::connect(proxyFailure, SIGNAL(clicked(bool)), this,
                    [this](bool on) { card.setDataProxyFailure(on); });
    grid->addWidget(refusalText, 0, 0);
    grid->addWidget(refuseNext, 0, 1);
    grid->addWidget(refusalState, 1, 0, 1, 2);
    grid->addWidget(proxyFailure, 2, 0, 1, 2);
    refreshRefusal();
    return group;
}

QWidget *CardPanel::createLogPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    log = new QTreeWidget(page);
    log->setObjectName(QStringLiteral("commandLog"));
    log->setColumnCount(3);
    log->setRootIsDecorated(false);
    log->setUniformRowHeights(true);
    log->setAlternatingRowColors(true);
    log->setTextElideMode(Qt::ElideMiddle);
    Compat::setSectionResizeMode(log->header(), 0, QHeaderView::ResizeToContents);
    Compat::setSectionResizeMode(log->header(), 1, QHeaderView::ResizeToContents);
    log->header()->setStretchLastSection(true);
    connect(log, SIGNAL(itemDoubleClicked(QTreeWidgetItem *, int)), this,
            SLOT(copyLogEntry(QTreeWidgetItem *)));
    layout->addWidget(log, 1);

    auto *row = new QHBoxLayout;
    commandLine = new QLineEdit(page);
    commandLine->setObjectName(QStringLiteral("commandLine"));
    Compat::connect(commandLine, SIGNAL(returnPressed()), this, [this] {
        const QString command = commandLine->text().trimmed();
        if (command.isEmpty())
            return;
        sendCommand(command);
        commandLine->clear();
    });
    clearLogButton = new QPushButton(page);
    clearLogButton->setObjectName(QStringLiteral("clearLog"));
    connect(clearLogButton, SIGNAL(clicked()), this, SLOT(clearLog()));
    row->addWidget(commandLine, 1);
    row->addWidget(clearLogButton);
    layout->addLayout(row);
    return page;
}

QWidget *CardPanel::createConfigurationPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    configTable = keyValueTable(QStringLiteral("configTable"), page);
    configTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    removeValueAction = new QAction(configTable);
    connect(removeValueAction, SIGNAL(triggered()), this, SLOT(removeSelectedValues()));
    configTable->addAction(removeValueAction);
    connect(configTable, SIGNAL(itemChanged(QTableWidgetItem *)), this,
            SLOT(configurationEdited(QTableWidgetItem *)));
    layout->addWidget(configTable);
    configurationHint = new QLabel(page);
    configurationHint->setWordWrap(true);
    layout->addWidget(configurationHint);
    return page;
}

QWidget *CardPanel::createMaskPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    maskTable = keyValueTable(QStringLiteral("maskTable"), page);
    connect(maskTable, SIGNAL(itemChanged(QTableWidgetItem *)), this,
            SLOT(maskEdited(QTableWidgetItem *)));
    layout->addWidget(maskTable);
    auto *row = new QHBoxLayout;
    maskHint = new QLabel(page);
    maskHint->setWordWrap(true);
    clearOverrideButton = new QPushButton(page);
    clearOverrideButton->setObjectName(QStringLiteral("clearOverride"));
    connect(clearOverrideButton, SIGNAL(clicked()), this, SLOT(clearSelectedOverrides()));
    row->addWidget(maskHint, 1);
    row->addWidget(clearOverrideButton);
    layout->addLayout(row);
    return page;
}

void CardPanel::refresh()
{
    refreshStructure();
    refreshConfiguration();
    refreshMasks();
    refreshRefusal();
    refreshLiveSignal();
}

void CardPanel::refreshMeasurements()
{
    for (QCheckBox *box : std::as_const(measurements))
        box->setChecked(card.isRunning(box->property("feed").toString()));
    liveSignal->setChecked(card.liveSignal());
    proxyFailure->setChecked(card.dataProxyFailure());
    refreshLiveSignal();
}

// The live signal's box, and what the receive voice timeslot hears on the looped-back line.
void CardPanel::refreshLiveSignal()
{
    liveSignal->setEnabled(card.configValue(QStringLiteral("structure")) != QLatin1String("unstr"));
    loopback->setVisible(card.liveSignal());
    const int slot = card.listeningSlot();
    const QString source = card.heardSource();
    const QString sent = card.configValue(QStringLiteral("timeslot-tx-%1").arg(slot));
    QString text;
    if (!slot)
        text = tr("No receive timeslot carries voice: there is nothing to hear.");
    else if (source == QLatin1String("tone"))
        text = tr("Receive timeslot %1 hears transmit timeslot %1: tone 1 kHz").arg(slot);
    else if (source == QLatin1String("mic"))
        text = tr("Receive timeslot %1 hears transmit timeslot %1: microphone").arg(slot);
    else if (sent != QLatin1String("voice"))
        text = tr("Receive timeslot %1 hears nothing: transmit timeslot %1 carries no voice")
                   .arg(slot);
    else
        text = tr("Receive timeslot %1 hears nothing: transmit timeslot %1 has no sound source "
                  "(vfsource \"%2\")")
                   .arg(slot)
                   .arg(card.configValue(QStringLiteral("vfsource")));
    loopback->setText(text);
}

void CardPanel::refreshStructure()
{
    const int index = structure->findData(card.configValue(QStringLiteral("structure")));
    structure->setCurrentIndex(index);
}

void CardPanel::refreshConfiguration()
{
    const QVariantMap configuration = card.configuration();
    const QStringList keys = sortedKeys(configuration);
    refreshing = true;
    configTable->setRowCount(keys.size());
    for (int row = 0; row < keys.size(); ++row) {
        configTable->setItem(row, 0, keyItem(keys.at(row)));
        configTable->setItem(row, 1,
                             new QTableWidgetItem(configuration.value(keys.at(row)).toString()));
    }
    refreshing = false;
    configTable->resizeColumnToContents(0);
}

void CardPanel::refreshMasks()
{
    const QVariantMap masks = card.masks();
    const QStringList keys = sortedKeys(masks);
    refreshing = true;
    maskTable->setRowCount(keys.size());
    for (int row = 0; row < keys.size(); ++row) {
        const QString key = keys.at(row);
        auto *name = keyItem(key);
        auto *mask = new QTableWidgetItem(masks.value(key).toString());
        if (card.hasMaskOverride(key)) {
            name->setBackground(overrideColor);
            mask->setBackground(overrideColor);
            name->setToolTip(tr("Set by hand; \"Clear Override\" hands it back to the card"));
        }
        maskTable->setItem(row, 0, name);
        maskTable->setItem(row, 1, mask);
    }
    refreshing = false;
    maskTable->resizeColumnToContents(0);
}

void CardPanel::refreshRefusal()
{
    refuseNext->setEnabled(!refusalArmed);
    refusalState->setText(refusalArmed ? tr("The next command will be refused.")
                                       : tr("Commands are answered by the card's rules."));
}

void CardPanel::appendLogEntry(const QString &text, bool refused, const QString &errorText)
{
    QTreeWidgetItem *entry
        = newLogEntry(text, refused ? tr("refused: %1").arg(errorText) : tr("accepted"));
    entry->setText(0, QString::number(++logCount));
    if (refused) {
        for (int column = 0; column < 3; ++column)
            entry->setForeground(column, refusedColor);
        entry->setData(2, Qt::UserRole, true);
    } else {
        entry->setForeground(2, acceptedColor);
    }
    addLogEntry(entry);

    // The card refuses only the one command after being told to.
    if (refusalArmed) {
        refusalArmed = false;
        refreshRefusal();
    }
}

// An entry of the log with its whole text in the tooltip, filled in before addLogEntry(): the
// log measures its rows again for each change of an entry it holds.
QTreeWidgetItem *CardPanel::newLogEntry(const QString &command, const QString &result)
{
    auto *entry = new QTreeWidgetItem;
    entry->setText(1, command);
    entry->setText(2, result);
    const QString whole = result.isEmpty() ? command : command + QLatin1Char('\n') + result;
    const QString tip = tr("%1\n\nDouble-click copies the entry.").arg(whole);
    for (int column = 0; column < 3; ++column)
        entry->setToolTip(column, tip);
    if (result.isEmpty()) { // a note rather than a command, across the whole line once added
        entry->setText(0, command);
        entry->setText(1, QString());
    }
    return entry;
}

// Adds \a entry at the end of the log, scrolled into view.
void CardPanel::addLogEntry(QTreeWidgetItem *entry)
{
    log->addTopLevelItem(entry);
    if (entry->text(2).isEmpty())
        entry->setFirstColumnSpanned(true);
    log->scrollToItem(entry);
}

void CardPanel::noteFailedFeed(const QString &feed)
{
    QTreeWidgetItem *entry = newLogEntry(tr("open feed \"%1\"").arg(feed),
                                         tr("failed: no proxy, the card fails to open feeds"));
    for (int column = 0; column < 3; ++column)
        entry->setForeground(column, refusedColor);
    addLogEntry(entry);
}

// The entry as one line, its columns separated by tabs.
void CardPanel::copyLogEntry(QTreeWidgetItem *entry)
{
    QStringList columns;
    for (int column = 0; column < 3; ++column) {
        if (!entry->text(column).isEmpty())
            columns << entry->text(column);
    }
    QApplication::clipboard()->setText(columns.join(QStringLiteral("\t")));
}

void CardPanel::clearLog()
{
    card.clearCommandLog();
    log->clear();
    logCount = 0;
}

// Top to bottom, left to right, as the panel reads; the pages of the tabs after their bar.
void CardPanel::orderTabs()
{
    QList<QWidget *> chain;
    chain << structure;
    for (QCheckBox *box : std::as_const(measurements))
        chain << box;
    chain << liveSignal << refusalText << refuseNext << proxyFailure << tabs << log << commandLine
          << clearLogButton << configTable << maskTable << clearOverrideButton << resetButton;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void CardPanel::configurationEdited(QTableWidgetItem *item)
{
    if (refreshing || item->column() != 1)
        return;
    const QString key = configTable->item(item->row(), 0)->text();
    card.setConfigValue(key, item->text());
}

void CardPanel::maskEdited(QTableWidgetItem *item)
{
    if (refreshing || item->column() != 1)
        return;
    const QString key = maskTable->item(item->row(), 0)->text();
    card.setMaskValue(key, item->text());
}

void CardPanel::clearSelectedOverrides()
{
    for (const QModelIndex &index : maskTable->selectionModel()->selectedRows())
        card.clearMaskOverride(maskTable->item(index.row(), 0)->text());
}

void CardPanel::removeSelectedValues()
{
    QStringList keys;
    for (const QModelIndex &index : configTable->selectionModel()->selectedRows())
        keys.append(configTable->item(index.row(), 0)->text());
    for (const QString &key : keys)
        card.removeConfigValue(key);
}

void CardPanel::armRefusal()
{
    card.refuseNext(refusalText->text());
    refusalArmed = true;
    refreshRefusal();
}
