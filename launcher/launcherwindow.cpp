// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcherwindow.h"

#include "cardpanel.h"
#include "languages.h"
#include "launcherapplication.h"

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#if QT_VERSION >= QT_VERSION_CHECK(5, 10, 0)
#include <QScreen>
#else
#include <QDesktopWidget>
#endif

namespace {

const QColor bezelColor(0x2B, 0x30, 0x36);
const QColor bezelEdge(0x16, 0x19, 0x1D);
const QColor bezelText(0xC9, 0xCF, 0xD6);
const QColor panelColor(0xDD, 0xE1, 0xE5);
const QColor panelEdge(0xA9, 0xB1, 0xBA);
const QColor screenColor(0xEE, 0xF0, 0xF2);
const QColor titleColor(0x1F, 0x6F, 0xB5);
const QColor warningColor(0xC2, 0x7C, 0x0E);

// A painted plate of the instrument's front. It paints its own background instead of setting
// a palette, so that the plug-in's widgets placed on it keep the colours they were made with.
class Plate : public QWidget
{
public:
    Plate(const QColor &fill, const QColor &edge, int radius, QWidget *parent = nullptr)
        : QWidget(parent)
        , fill(fill)
        , edge(edge)
        , radius(radius)
    { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(edge, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }

private:
    QColor fill;
    QColor edge;
    int radius;
};

// Scrolls its widget when the window is smaller than the widget, but asks for the widget's whole
// size (QScrollArea asks for no more than a few lines of text).
class ScrollArea : public QScrollArea
{
public:
    explicit ScrollArea(QWidget *parent)
        : QScrollArea(parent)
    {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

// Holds the plug-in's status item in one place: its top left corner stays put while the item
// grows or shrinks with its readings and its rows, and the slot only ever widens, so that
// nothing beside it moves either.
class StatusSlot : public QWidget
{
public:
    StatusSlot(QWidget *item, QWidget *parent)
        : QWidget(parent)
        , item(item)
    {
        item->setParent(this);
        item->move(0, 0);
        fit();
    }

    QSize sizeHint() const override
    {
        if (item)
            room = room.expandedTo(item->sizeHint());
        return room;
    }

protected:
    bool event(QEvent *event) override
    {
        // The item asks for a new size; while the slot was hidden, it could not.
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
            fit();
        return QWidget::event(event);
    }

private:
    void fit()
    {
        if (!item)
            return;
        const QSize before = room;
        item->resize(item->sizeHint());
        if (sizeHint() != before)
            updateGeometry();
    }

    QPointer<QWidget> item;
    mutable QSize room = QSize(0, 0);
};

QRect availableScreenArea(const QWidget *widget)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 10, 0)
    const QScreen *screen = QGuiApplication::screenAt(widget->geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
#else
    return QApplication::desktop()->availableGeometry(widget);
#endif
}

QLabel *coloredLabel(const QString &text, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

QString structureName(const QString &structure)
{
    if (structure == QLatin1String("unstr"))
        return LauncherWindow::tr("unframed");
    if (structure == QLatin1String("pcm30"))
        return QStringLiteral("PCM30");
    if (structure == QLatin1String("pcm30crc"))
        return QStringLiteral("PCM30 CRC");
    if (structure == QLatin1String("pcm31"))
        return QStringLiteral("PCM31");
    if (structure == QLatin1String("pcm31crc"))
        return QStringLiteral("PCM31 CRC");
    return structure;
}

} // namespace

LauncherWindow::LauncherWindow(LauncherPlugin &plugin, SimulatedCard &card, const QSize &screenSize,
                               QWidget *parent)
    : QMainWindow(parent)
    , launcherPlugin(&plugin)
    , card(card)
{
    setObjectName(QStringLiteral("LauncherWindow"));

    // The instrument scrolls rather than shrinks on a screen smaller than it.
    auto *scroller = new ScrollArea(this);
    auto *central = new QWidget(scroller);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(createInstrument(screenSize), 0, Qt::AlignLeft | Qt::AlignTop);
    scroller->setWidget(central);
    setCentralWidget(scroller);
    createCardDock();

    createMenus();
    pluginPath = new QLabel(statusBar());
    // A long path must not widen the window: it is cut, and shown whole in the tooltip.
    pluginPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(pluginPath, 1);

    connect(&plugin, SIGNAL(windowRequested()), this, SLOT(openPluginWindow()));
    connect(&card, SIGNAL(configurationChanged()), this, SLOT(updateLineStatus()));
    connect(&card, SIGNAL(measurementChanged(QString, bool)), this, SLOT(updateLineStatus()));
    retranslate();
}

LauncherWindow::~LauncherWindow()
{
    releasePluginWidgets();
}

LauncherPlugin *LauncherWindow::plugin() const
{
    return launcherPlugin;
}

QWidget *LauncherWindow::screenArea() const
{
    return screen;
}

bool LauncherWindow::isPluginWindowOpen() const
{
    return pluginWindow && screen->currentWidget() == windowPage && pluginWindow->isVisible();
}

void LauncherWindow::setPluginPath(const QString &path)
{
    pluginFile = path;
    pluginPath->setText(tr("Plug-in: %1").arg(path));
    pluginPath->setToolTip(path);
}

void LauncherWindow::restoreLayout()
{
    QSettings settings(QStringLiteral("e1"), QStringLiteral("e1-launcher"));
    if (!restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray()))
        fitToScreen(availableScreenArea(this));
    restoreState(settings.value(QStringLiteral("layout")).toByteArray());
}

void LauncherWindow::saveLayout() const
{
    QSettings settings(QStringLiteral("e1"), QStringLiteral("e1-launcher"));
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("layout"), saveState());
}

void LauncherWindow::fitToScreen(const QRect &available)
{
    // The frame of the window manager takes some of the room; its size is known only once the
    // window is shown, so the usual frame of a desktop is allowed for.
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(2, 30);
    const QSize room = available.size() - frame;
    resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
#if QT_VERSION >= QT_VERSION_CHECK(5, 6, 0)
    // The instrument keeps its size where it can; the card panel takes what is left.
    if (!cardDock->isHidden() && !cardDock->isFloating()) {
        const int rest = width() - centralWidget()->sizeHint().width()
            - style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
        resizeDocks({cardDock}, {qMax(rest, cardDock->minimumSizeHint().width())}, Qt::Horizontal);
    }
#endif
}

void LauncherWindow::releasePluginWidgets()
{
    for (QPointer<QWidget> *widget : {&pluginButton, &pluginWindow, &pluginStatusItem}) {
        if (*widget) {
            (*widget)->removeEventFilter(this);
            (*widget)->hide();
            (*widget)->setParent(nullptr);
        }
        *widget = nullptr;
    }
}

void LauncherWindow::openPluginWindow()
{
    if (!launcherPlugin)
        return;
    const QString what = tr("Opening the plug-in's window");
    QWidget *window = nullptr;
    if (!LauncherApplication::guard(what, [&] { window = launcherPlugin->window(); }))
        return;
    if (!window) {
        LauncherApplication::reportFailure(what, tr("the plug-in gave no window"));
        return;
    }
    if (window != pluginWindow) {
        pluginWindow = window;
        // The title bar follows the window's title, which a language change may set anew.
        window->installEventFilter(this);
        window->setParent(windowPage);
        windowPage->layout()->addWidget(window);
    }
    windowTitle->setText(window->windowTitle());
    screen->setCurrentWidget(windowPage);
    // Showing the window is what makes it ask the card for a fresh configuration.
    window->show();
    closeButton->setEnabled(true);
}

void LauncherWindow::closePluginWindow()
{
    if (pluginWindow)
        pluginWindow->hide();
    screen->setCurrentWidget(homePage);
    closeButton->setEnabled(false);
}

QWidget *LauncherWindow::createInstrument(const QSize &screenSize)
{
    auto *bezel = new Plate(bezelColor, bezelEdge, 14, this);
    bezel->setObjectName(QStringLiteral("instrument"));
    auto *layout = new QVBoxLayout(bezel);
    layout->setContentsMargins(16, 14, 16, 10);
    layout->setSpacing(8);

    layout->addWidget(createStatusPanel());
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(createLauncherArea());
    row->addWidget(createScreen(screenSize));
    layout->addLayout(row);

    instrumentCaption = coloredLabel(QString(), bezelText, bezel);
    QFont font = instrumentCaption->font();
    font.setPointSize(font.pointSize() - 1);
    instrumentCaption->setFont(font);
    instrumentCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(instrumentCaption);
    bezel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return bezel;
}

QWidget *LauncherWindow::createStatusPanel()
{
    statusBox = new Plate(panelColor, panelEdge, 4, this);
    statusBox->setObjectName(QStringLiteral("statusPanel"));
    // Room for the three rows of the status item from the start; the panel takes the height of
    // the item's slot, which never shrinks, so the screen below does not move.
    statusBox->setMinimumHeight(StatusPanelHeight);
    statusBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *layout = new QHBoxLayout(statusBox);
    layout->setContentsMargins(10, 3, 10, 3);
    layout->setSpacing(12);

    auto *info = new QVBoxLayout;
    info->setSpacing(0);
    lineStatus = new QLabel(statusBox);
    lineStatus->setObjectName(QStringLiteral("lineStatus"));
    QFont bold = lineStatus->font();
    bold.setBold(true);
    lineStatus->setFont(bold);
    measurementStatus = coloredLabel(QString(), warningColor, statusBox);
    measurementStatus->setObjectName(QStringLiteral("measurementStatus"));
    info->addWidget(lineStatus);
    info->addWidget(measurementStatus);
    layout->addLayout(info);
    layout->addStretch(1);

    if (launcherPlugin)
        LauncherApplication::guard(tr("Creating the plug-in's status item"), [this] {
            pluginStatusItem = launcherPlugin->statusPanelItem();
        });
    if (pluginStatusItem)
        layout->addWidget(new StatusSlot(pluginStatusItem, statusBox), 0, Qt::AlignTop);
    return statusBox;
}

QWidget *LauncherWindow::createLauncherArea()
{
    launcherBox = new Plate(panelColor, panelEdge, 4, this);
    launcherBox->setObjectName(QStringLiteral("launcherArea"));
    launcherBox->setFixedWidth(230);
    auto *layout = new QVBoxLayout(launcherBox);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    applicationsCaption = coloredLabel(QString(), QColor(0x55, 0x5E, 0x69), launcherBox);
    layout->addWidget(applicationsCaption);
    if (launcherPlugin) {
        LauncherApplication::guard(tr("Creating the plug-in's button"),
                                   [this] { pluginButton = launcherPlugin->button(); });
        if (pluginButton) {
            pluginButton->setParent(launcherBox);
            // A launcher tile: the button's push button grows into the height given to it.
            pluginButton->setFixedHeight(96);
            layout->addWidget(pluginButton);
        }
    }
    layout->addStretch(1);
    return launcherBox;
}

QWidget *LauncherWindow::createScreen(const QSize &screenSize)
{
    screen = new QStackedWidget(this);
    screen->setObjectName(QStringLiteral("screenArea"));
    // The plug-in's popups open on this screen, not over the rest of the launcher.
    screen->setProperty("popupArea", true);
    screen->setFixedSize(screenSize);
    screen->setAutoFillBackground(true);
    QPalette palette = screen->palette();
    palette.setColor(QPalette::Window, screenColor);
    screen->setPalette(palette);

    homePage = new QWidget(screen);
    homePage->setObjectName(QStringLiteral("homePage"));
    auto *home = new QVBoxLayout(homePage);
    homeHint = coloredLabel(QString(), QColor(0x6B, 0x74, 0x7F), homePage);
    homeHint->setAlignment(Qt::AlignCenter);
    homeHint->setWordWrap(true);
    home->addWidget(homeHint);
    screen->addWidget(homePage);

    windowPage = new QWidget(screen);
    windowPage->setObjectName(QStringLiteral("windowPage"));
    auto *page = new QVBoxLayout(windowPage);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    auto *titleBar = new Plate(titleColor, titleColor, 0, windowPage);
    titleBar->setFixedHeight(32);
    auto *title = new QHBoxLayout(titleBar);
    title->setContentsMargins(10, 2, 4, 2);
    windowTitle = coloredLabel(QString(), Qt::white, titleBar);
    windowTitle->setObjectName(QStringLiteral("windowTitle"));
    QFont bold = windowTitle->font();
    bold.setBold(true);
    windowTitle->setFont(bold);
    title->addWidget(windowTitle, 1);
    closeButton = new QPushButton(titleBar);
    closeButton->setObjectName(QStringLiteral("closeWindow"));
    closeButton->setEnabled(false);
    connect(closeButton, SIGNAL(clicked()), this, SLOT(closePluginWindow()));
    title->addWidget(closeButton);
    page->addWidget(titleBar);
    screen->addWidget(windowPage);

    screen->setCurrentWidget(homePage);
    return screen;
}

void LauncherWindow::createCardDock()
{
    cardDock = new QDockWidget(this);
    cardDock->setObjectName(QStringLiteral("cardDock"));
    auto *scroller = new ScrollArea(cardDock);
    panel = new CardPanel(card, scroller);
    scroller->setWidget(panel);
    cardDock->setWidget(scroller);
    addDockWidget(Qt::RightDockWidgetArea, cardDock);
}

void LauncherWindow::createMenus()
{
    launcherMenu = menuBar()->addMenu(QString());
    openAction = launcherMenu->addAction(QString());
    Compat::connect(openAction, SIGNAL(triggered()), this, [this] {
        // As the button does: the plug-in decides, and asks for its window to be shown.
        if (launcherPlugin)
            LauncherApplication::guard(tr("Opening the plug-in's window"),
                                       [this] { launcherPlugin->buttonClicked(); });
    });
    closeAction = launcherMenu->addAction(QString());
    connect(closeAction, SIGNAL(triggered()), this, SLOT(closePluginWindow()));
    launcherMenu->addSeparator();
    quitAction = launcherMenu->addAction(QString());
    quitAction->setShortcut(QKeySequence::Quit);
    connect(quitAction, SIGNAL(triggered()), this, SLOT(close()));

    cardMenu = menuBar()->addMenu(QString());
    resetAction = cardMenu->addAction(QString());
    connect(resetAction, SIGNAL(triggered()), panel, SLOT(resetCard()));

    viewMenu = menuBar()->addMenu(QString());
    cardDockAction = cardDock->toggleViewAction();
    cardDockAction->setObjectName(QStringLiteral("showCardPanel"));
    viewMenu->addAction(cardDockAction);

    helpMenu = menuBar()->addMenu(QString());
    aboutAction = helpMenu->addAction(QString());
    Compat::connect(aboutAction, SIGNAL(triggered()), this, [this] {
        QMessageBox::about(this, tr("About E1 Launcher"),
                           tr("<p><b>E1 Launcher</b> %1</p>"
                              "<p>Runs the instrument's timeslot plug-in on the desktop, over a "
                              "simulated E1 card.</p>")
                               .arg(QApplication::applicationVersion()));
    });
}

void LauncherWindow::setLanguages(Languages *choice)
{
    if (languages || !choice)
        return;
    languages = choice;
    languageChoice = new QMenu(this);
    languageChoice->setObjectName(QStringLiteral("languageMenu"));
    menuBar()->insertMenu(helpMenu->menuAction(), languageChoice);
    languageActions = new QActionGroup(this);
    languageActions->setExclusive(true);
    for (const QString &code : Languages::codes()) {
        QAction *action = languageChoice->addAction(Languages::nativeName(code));
        action->setObjectName(QStringLiteral("language-") + code);
        action->setData(code);
        action->setCheckable(true);
        languageActions->addAction(action);
        Compat::connect(action, SIGNAL(triggered()), this, [this, code] {
            if (languages)
                languages->setLanguage(code);
        });
    }
    connect(languages, SIGNAL(languageChanged(QString)), this, SLOT(showLanguage(QString)));
    showLanguage(languages->current());
    retranslate();
}

void LauncherWindow::showLanguage(const QString &code)
{
    for (QAction *action : languageActions->actions())
        action->setChecked(action->data().toString() == code);
}

void LauncherWindow::closeEvent(QCloseEvent *event)
{
    saveLayout();
    QMainWindow::closeEvent(event);
}

void LauncherWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

bool LauncherWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pluginWindow && event->type() == QEvent::WindowTitleChange)
        windowTitle->setText(pluginWindow->windowTitle());
    return QMainWindow::eventFilter(watched, event);
}

void LauncherWindow::retranslate()
{
    setWindowTitle(tr("E1 Launcher"));
    instrumentCaption->setText(tr("E1 line test instrument  ·  2.048 Mbit/s"));
    applicationsCaption->setText(tr("Applications"));
    homeHint->setText(tr("Press an application's button to open it on this screen."));
    closeButton->setText(tr("Close"));
    closeButton->setToolTip(tr("Close the window and return to the launcher"));
    if (!pluginFile.isEmpty())
        pluginPath->setText(tr("Plug-in: %1").arg(pluginFile));

    launcherMenu->setTitle(tr("&Launcher"));
    openAction->setText(tr("&Open Window"));
    openAction->setShortcut(QKeySequence(tr("Ctrl+O")));
    closeAction->setText(tr("&Close Window"));
    closeAction->setShortcut(QKeySequence(tr("Ctrl+W")));
    quitAction->setText(tr("&Quit"));
    cardMenu->setTitle(tr("&Card"));
    resetAction->setText(tr("&Reset to Factory Settings"));
    viewMenu->setTitle(tr("&View"));
    cardDock->setWindowTitle(tr("Simulated Card"));
    cardDockAction->setText(tr("Simulated &Card"));
    if (languageChoice)
        //: Menu of the languages, each named in its own language.
        languageChoice->setTitle(tr("&Language"));
    helpMenu->setTitle(tr("&Help"));
    aboutAction->setText(tr("&About"));
    updateLineStatus();
}

void LauncherWindow::updateLineStatus()
{
    lineStatus->setText(
        tr("E1  %1").arg(structureName(card.configValue(QStringLiteral("structure")))));
    QStringList running;
    for (const QString &feed : SimulatedCard::feedNames()) {
        if (card.isRunning(feed))
            running.append(feed);
    }
    measurementStatus->setText(
        running.isEmpty() ? QString() : tr("Running: %1").arg(running.join(QStringLiteral(", "))));
}
