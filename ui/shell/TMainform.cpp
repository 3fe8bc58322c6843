#include "ui/shell/TMainform.h"

#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/platform/Images.h"
#include "ui/platform/Platform.h"
#include "ui/platform/Images.h"
#include "ui/platform/UiText.h"
#include "ui/shell/DropOpen.h"
#include "ui/shell/ProgramInfo.h"
#include "ui/shell/ReadingActions.h"
#include "ui/shell/RecentDirs.h"
#include "ui/shell/TDialogAbout.h"
#include "ui/shell/TDialogFileError.h"
#include "ui/shell/TDialogOpenAnalysis.h"
#include "ui/shell/TDialogSettings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace korvex {

namespace {

// 0x00E3E0DB as red, green, blue.
const QColor kFrameTint(219, 224, 227);

constexpr int kPanelTopHeight = 44;
constexpr int kLogoRightGap = 53;
const QSize kLogoSize(97, 32);

// A catalogue text as a menu caption: exactly the text, no access letters.
QString Caption(TextId text)
{
    return UiText(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

const char* const kFlagResources[kLanguageCount] = {
    ":/flags/de.svg", ":/flags/gb.svg", ":/flags/fr.svg", ":/flags/es.svg",
    ":/flags/it.svg", ":/flags/pt.svg", ":/flags/us.svg"};

const char* const kLanguageActionNames[kLanguageCount] = {
    "ActionLanguageGerman",  "ActionLanguageEnglish", "ActionLanguageFrench",
    "ActionLanguageSpanish", "ActionLanguageItalian", "ActionLanguagePortuguese",
    "ActionLanguageAmerican"};

} // namespace

TMainform::TMainform(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Mainform"));
    BuildActions();
    BuildMenus();
    BuildPanelTop();

    mdiArea_ = new QMdiArea;
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panelTop_);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);
    reading_ = new ReadingActions(*this, *m_.MenuView, *toolBar_);
    new DropOpen(*this);

    timer_ = new QTimer(this);
    timer_->setInterval(1);
    connect(timer_, &QTimer::timeout, this, &TMainform::OnTimer);

    setFont(QFont(QStringLiteral("Arial"), 8));
    setMinimumSize(750, 510);
    resize(790, 590);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->geometry();
        move(desk.x() + (desk.width() - width()) / 2, desk.y() + (desk.height() - height()) / 2);
    }

    // OnCreate
    setWindowState(windowState() | Qt::WindowMaximized);
    firstActivation_ = true;
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, kFrameTint);
    setPalette(tinted);
    setAutoFillBackground(true);

    setWindowTitle(QString::fromUtf8(kProgramTitle));
    // The application title (a display name would be appended to every dialog's caption).
    QCoreApplication::setApplicationName(QString::fromUtf8(kProgramTitle));

    SelectTextBlock(BlockGerman);
    try {
        settings_ = &AppSettings::Get();
    } catch (const KorvexError&) {
        settings_ = nullptr;
        ThePlatform().prompts->Show(nullptr, UiText(TextId::CaptionError),
                                    QString::fromStdString(TwoLanguageSettingsErrorText()),
                                    PromptIcon::Error, PromptButtons::Ok);
    }
    RelabelMainWindow();

    connect(qApp, &QApplication::focusChanged, this, &TMainform::UpdateActions);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainform::UpdateActions);
    UpdateActions();

    // The dialogs live as long as the main window and are shown modally when needed.
    about_ = new TDialogAbout(this);
    settingsDialog_ = new TDialogSettings(this);
    TChildform::SetSettingsEditor(settingsDialog_);
    fileErrors_ = new TDialogFileError(this);
    openAnalysis_ = new TDialogOpenAnalysis(*fileErrors_, this);
    recentDirs_ = new RecentDirsOffer(*openAnalysis_->RootDir());
}

TMainform::~TMainform()
{
    // The frame and its windows outlive this part of the object while the base class deletes
    // them: nothing they signal may reach this window any more.
    disconnect(qApp, &QApplication::focusChanged, this, &TMainform::UpdateActions);
    mdiArea_->disconnect(this);
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        window->disconnect(this);
    TChildform::SetSettingsEditor(nullptr);
}

void TMainform::BuildActions()
{
    auto make = [this](const char* name, const char* icon = nullptr) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        if (icon != nullptr)
            action->setIcon(SvgIcon(QString::fromLatin1(icon)));
        return action;
    };
    a_.ActionOpen = make("ActionOpen", ":/icons/open.svg");
    a_.ActionOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a_.ActionClose = make("ActionClose");
    a_.ActionClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    a_.ActionSave = make("ActionSave", ":/icons/save.svg");
    a_.ActionSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a_.ActionPrint = make("ActionPrint", ":/icons/print.svg");
    a_.ActionPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a_.ActionExit = make("ActionExit");
    a_.ActionDefaultSettings = make("ActionDefaultSettings");
    a_.ActionDefaultSettings->setVisible(false);
    a_.ActionWindowSettings = make("ActionWindowSettings");
    a_.ActionCascade = make("ActionCascade");
    a_.ActionTileHorizontal = make("ActionTileHorizontal");
    a_.ActionMinimizeAll = make("ActionMinimizeAll");
    a_.ActionAbout = make("ActionAbout", ":/icons/about.svg");
    for (int i = 0; i < kLanguageCount; ++i) {
        QAction* action = make(kLanguageActionNames[i], kFlagResources[i]);
        action->setCheckable(true);
        action->setText(QString::fromStdString(LanguageCaption(i + 1)));
        a_.ActionLanguage[i] = action;
        connect(action, &QAction::triggered, this, [this, action](bool checkedNow) {
            action->setChecked(!checkedNow);
            ActionLanguageSelection(action);
        });
    }
    a_.ActionLanguage[0]->setChecked(true);
    a_.ActionViewChart = make("ActionViewChart", ":/icons/chart.svg");
    a_.ActionViewChart->setCheckable(true);
    a_.ActionViewList = make("ActionViewList", ":/icons/table.svg");
    a_.ActionViewList->setCheckable(true);

    connect(a_.ActionOpen, &QAction::triggered, this, &TMainform::ActionOpenExecute);
    connect(a_.ActionClose, &QAction::triggered, this, &TMainform::ActionCloseExecute);
    connect(a_.ActionSave, &QAction::triggered, this, &TMainform::ActionSaveExecute);
    connect(a_.ActionPrint, &QAction::triggered, this, &TMainform::ActionPrintExecute);
    connect(a_.ActionExit, &QAction::triggered, this, &TMainform::ActionExitExecute);
    connect(a_.ActionWindowSettings, &QAction::triggered, this,
            &TMainform::ActionWindowSettingsExecute);
    connect(a_.ActionCascade, &QAction::triggered, this, &TMainform::ActionCascadeExecute);
    connect(a_.ActionTileHorizontal, &QAction::triggered, this,
            &TMainform::ActionTileHorizontalExecute);
    connect(a_.ActionMinimizeAll, &QAction::triggered, this, &TMainform::ActionMinimizeAllExecute);
    connect(a_.ActionAbout, &QAction::triggered, this, &TMainform::ActionAboutExecute);
    ConnectCheckable(a_.ActionViewChart, &TMainform::ActionViewChartExecute);
    ConnectCheckable(a_.ActionViewList, &TMainform::ActionViewListExecute);
}

void TMainform::ConnectCheckable(QAction* action, void (TMainform::*handler)())
{
    // Qt flips a checkable action before reporting it; the handlers decide on the old state.
    connect(action, &QAction::triggered, this, [this, action, handler](bool checkedNow) {
        action->setChecked(!checkedNow);
        (this->*handler)();
    });
}

void TMainform::BuildMenus()
{
    QMenuBar* bar = menuBar();
    m_.MenuFile = bar->addMenu(QString());
    m_.MenuFile->addAction(a_.ActionOpen);
    m_.MenuFile->addAction(a_.ActionClose);
    m_.MenuFile->addSeparator();
    m_.MenuFile->addAction(a_.ActionSave);
    m_.MenuFile->addAction(a_.ActionPrint);
    m_.MenuFile->addSeparator();
    m_.MenuFile->addAction(a_.ActionExit);

    m_.MenuSettings = bar->addMenu(QString());
    m_.MenuSettings->addAction(a_.ActionDefaultSettings);
    m_.MenuSettings->addAction(a_.ActionWindowSettings);

    m_.MenuLanguage = bar->addMenu(QString());
    for (QAction* action : a_.ActionLanguage)
        m_.MenuLanguage->addAction(action);

    m_.MenuView = bar->addMenu(QString());
    m_.MenuView->addAction(a_.ActionViewChart);
    m_.MenuView->addAction(a_.ActionViewList);

    m_.MenuWindow = bar->addMenu(QString());
    m_.MenuWindow->addAction(a_.ActionCascade);
    m_.MenuWindow->addAction(a_.ActionTileHorizontal);
    m_.MenuWindow->addAction(a_.ActionMinimizeAll);

    m_.MenuHelp = bar->addMenu(QStringLiteral("&?"));
    m_.MenuHelp->addAction(a_.ActionAbout);
}

void TMainform::BuildPanelTop()
{
    panelTop_ = new QWidget;
    panelTop_->setObjectName(QStringLiteral("PanelTop"));
    panelTop_->setFixedHeight(kPanelTopHeight);
    panelTop_->setAutoFillBackground(true);
    QPalette tinted = panelTop_->palette();
    tinted.setColor(QPalette::Window, kFrameTint);
    panelTop_->setPalette(tinted);

    toolBar_ = new QToolBar(panelTop_);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setContentsMargins(2, 0, 2, 0);
    toolBar_->setStyleSheet(QStringLiteral("QToolBar { border: none; background: transparent; }"));
    toolBar_->addAction(a_.ActionOpen);
    toolBar_->addAction(a_.ActionSave);
    toolBar_->addAction(a_.ActionPrint);
    toolBar_->addSeparator();
    for (QAction* action : a_.ActionLanguage)
        toolBar_->addAction(action);
    toolBar_->addSeparator();
    toolBar_->addAction(a_.ActionViewChart);
    toolBar_->addAction(a_.ActionViewList);
    toolBar_->addSeparator();
    toolBar_->addAction(a_.ActionAbout);
    toolBar_->setGeometry(0, 7, toolBar_->sizeHint().width(), 30);

    halvoLogo_ = new QLabel(panelTop_);
    halvoLogo_->setObjectName(QStringLiteral("HalvoLogo"));
    halvoLogo_->setFixedSize(kLogoSize);
    halvoLogo_->setPixmap(SvgPixmap(QStringLiteral(":/logo/halvo.svg"), kLogoSize));
    panelTop_->installEventFilter(this);
}

void TMainform::PanelTopResize()
{
    halvoLogo_->move(panelTop_->width() - halvoLogo_->width() - kLogoRightGap,
                     (panelTop_->height() - halvoLogo_->height()) / 2);
}

bool TMainform::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panelTop_ && event->type() == QEvent::Resize)
        PanelTopResize();
    return QMainWindow::eventFilter(watched, event);
}

bool TMainform::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        OnActivate();
    return QMainWindow::event(event);
}

void TMainform::closeEvent(QCloseEvent* event)
{
    OnClose();
    event->accept();
}

void TMainform::OnActivate()
{
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    FitIntoWorkArea();
    ApplyStoredLanguage();
    timer_->start();
}

void TMainform::FitIntoWorkArea()
{
    const std::optional<QRect> area = ThePlatform().desktop->WorkArea();
    if (!area)
        return;
    const bool maximised = isMaximized();
    QRect bounds = maximised ? normalGeometry() : geometry();
    if (bounds.isEmpty())
        bounds = geometry();
    const QRect before = bounds;
    if (bounds.y() + bounds.height() > area->y() + area->height()) {
        const int height = std::min(bounds.height(), area->height());
        bounds =
            QRect(bounds.x(), area->y() + (area->height() - height) / 2, bounds.width(), height);
    }
    if (bounds.x() + bounds.width() > area->x() + area->width()) {
        const int width = std::min(bounds.width(), area->width());
        bounds = QRect(area->x() + (area->width() - width) / 2, bounds.y(), width, bounds.height());
    }
    if (bounds == before)
        return;
    // These are the restored bounds: the window stays maximised.
    if (maximised)
        setWindowState(windowState() & ~Qt::WindowMaximized);
    setGeometry(bounds);
    if (maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainform::OnTimer()
{
    timer_->stop();
    ActionOpenExecute();
}

void TMainform::OnClose()
{
    if (closed_)
        return;
    closed_ = true;
    for (QList<TChildform*> windows = AnalysisWindows(); !windows.isEmpty();
         windows = AnalysisWindows()) {
        TChildform* window = windows.first();
        window->close();
        delete window;
    }
    settings_ = nullptr;
    AppSettings::Release();
}

QList<TChildform*> TMainform::AnalysisWindows() const
{
    QList<TChildform*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        // A closed window stays in the frame's list until it is deleted.
        if (auto* child = qobject_cast<TChildform*>(sub); child != nullptr && !child->isHidden())
            windows << child;
    }
    return windows;
}

TChildform* TMainform::ActiveAnalysisWindow() const
{
    auto* child = qobject_cast<TChildform*>(mdiArea_->currentSubWindow());
    return child != nullptr && !child->isHidden() ? child : nullptr;
}

void TMainform::UpdateActions()
{
    if (updatingActions_)
        return;
    updatingActions_ = true;
    const int count = int(AnalysisWindows().size());
    TChildform* active = ActiveAnalysisWindow();
    bool hasGraphs = false;
    bool tableMode = false;
    if (active != nullptr) {
        active->OnActivate();
        hasGraphs = active->HasGraphs();
        tableMode = active->TableMode();
    }
    a_.ActionOpen->setEnabled(true);
    a_.ActionExit->setEnabled(true);
    a_.ActionDefaultSettings->setEnabled(true);
    a_.ActionAbout->setEnabled(true);
    for (QAction* action : {a_.ActionClose, a_.ActionWindowSettings, a_.ActionCascade,
                            a_.ActionMinimizeAll, a_.ActionTileHorizontal})
        action->setEnabled(count > 0);
    a_.ActionSave->setEnabled(hasGraphs || tableMode);
    a_.ActionPrint->setEnabled(hasGraphs || tableMode);
    a_.ActionViewChart->setEnabled(active != nullptr);
    a_.ActionViewList->setEnabled(active != nullptr);
    a_.ActionViewList->setChecked(tableMode);
    a_.ActionViewChart->setChecked(!tableMode);
    if (reading_)
        reading_->Update();
    updatingActions_ = false;
}

// ---- Language ----

int TMainform::LanguageNumberOf(const QAction* action) const
{
    for (int i = 0; i < kLanguageCount; ++i)
        if (a_.ActionLanguage[i] == action)
            return i + 1;
    throw KorvexError("Invalid state");
}

void TMainform::CheckLanguage(int languageNumber)
{
    for (QAction* action : a_.ActionLanguage)
        action->setChecked(false);
    // 0 (none chosen yet) and unknown numbers show German.
    const int index =
        languageNumber >= 2 && languageNumber <= kLanguageCount ? languageNumber - 1 : 0;
    a_.ActionLanguage[index]->setChecked(true);
}

void TMainform::ApplyStoredLanguage()
{
    if (settings_ == nullptr) {
        ApplyLanguage();
        return;
    }
    const int languageNumber = settings_->language();
    CheckLanguage(languageNumber);
    SelectLanguage(languageNumber);
    ApplyLanguage();
}

void TMainform::ActionLanguageSelection(QAction* executed)
{
    std::string lastUsedDir;
    if (settings_ != nullptr)
        lastUsedDir = settings_->lastUsedDir();
    if (executed->isChecked())
        return;
    const int languageNumber = LanguageNumberOf(executed);
    for (QAction* action : a_.ActionLanguage)
        action->setChecked(false);
    executed->setChecked(true);
    SelectLanguage(languageNumber);
    ApplyLanguage();
    // A failed write reaches the error handler; the language stays in effect.
    if (settings_ != nullptr)
        settings_->setLanguageAndLastDir(languageNumber, lastUsedDir);
}

void TMainform::ApplyLanguage()
{
    RelabelMainWindow();
    if (reading_)
        reading_->ApplyLanguage();
    for (TChildform* window : AnalysisWindows())
        window->ApplyLanguage();
}

void TMainform::RelabelMainWindow()
{
    m_.MenuFile->setTitle(Caption(TextId::MenuFile));
    a_.ActionOpen->setText(Caption(TextId::MenuOpen));
    a_.ActionClose->setText(Caption(TextId::MenuClose));
    a_.ActionSave->setText(Caption(TextId::MenuSave));
    a_.ActionPrint->setText(Caption(TextId::MenuPrint));
    a_.ActionExit->setText(Caption(TextId::MenuEnd));
    m_.MenuSettings->setTitle(Caption(TextId::MenuSettings));
    a_.ActionDefaultSettings->setText(Caption(TextId::SettingsNewWindows));
    a_.ActionWindowSettings->setText(Caption(TextId::SettingsCurrentWindow));
    m_.MenuLanguage->setTitle(Caption(TextId::MenuLanguageSelection));
    m_.MenuView->setTitle(Caption(TextId::MenuView));
    a_.ActionViewChart->setText(Caption(TextId::ViewDiagram));
    a_.ActionViewList->setText(Caption(TextId::ViewTable));
    a_.ActionViewChart->setToolTip(UiText(TextId::GraphicalView));
    a_.ActionViewList->setToolTip(UiText(TextId::TabularView));
    m_.MenuWindow->setTitle(Caption(TextId::MenuWindow));
    a_.ActionCascade->setText(Caption(TextId::WindowOverlapping));
    a_.ActionTileHorizontal->setText(Caption(TextId::WindowStacked));
    a_.ActionMinimizeAll->setText(Caption(TextId::WindowMinimiseAll));
    a_.ActionAbout->setText(Caption(TextId::MenuInfo));
}

} // namespace korvex
