#pragma once

// TMainform: the program's main window. A multiple-document frame for up to three analysis
// windows with the menu, the tool bar and the logo; it runs the start-up (catalogue block,
// settings, dialogs), offers the open-analysis dialog right after it is first shown, and
// switches the interface language.

#include <QList>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class QWidget;

namespace korvex {

class AppSettings;
class ReadingActions;
class RecentDirsOffer;
class TChildform;
class TDialogAbout;
class TDialogFileError;
class TDialogOpenAnalysis;
class TDialogSettings;

constexpr int kMaxAnalysisWindows = 3;
constexpr int kLanguageCount = 7;

// The window's actions, named as on the form.
struct MainActions {
    QAction* ActionOpen = nullptr;
    QAction* ActionClose = nullptr;
    QAction* ActionSave = nullptr;
    QAction* ActionPrint = nullptr;
    QAction* ActionExit = nullptr;
    QAction* ActionDefaultSettings = nullptr;
    QAction* ActionWindowSettings = nullptr;
    QAction* ActionCascade = nullptr;
    QAction* ActionTileHorizontal = nullptr;
    QAction* ActionMinimizeAll = nullptr;
    QAction* ActionAbout = nullptr;
    // Index = LanguageNumber - 1: German, English (GB), French, Spanish, Italian, Portuguese,
    // English (US).
    QAction* ActionLanguage[kLanguageCount] = {};
    QAction* ActionViewChart = nullptr;
    QAction* ActionViewList = nullptr;
};

struct MainMenus {
    QMenu* MenuFile = nullptr;
    QMenu* MenuSettings = nullptr;
    QMenu* MenuLanguage = nullptr;
    QMenu* MenuView = nullptr;
    QMenu* MenuWindow = nullptr;
    QMenu* MenuHelp = nullptr;
};

class TMainform : public QMainWindow {
    Q_OBJECT
public:
    // Start-up: German block, settings object (the two-language error box when it fails), the
    // four dialogs created hidden, maximised state.
    explicit TMainform(QWidget* parent = nullptr);
    ~TMainform() override;

    const MainActions& Actions() const { return a_; }
    const MainMenus& Menus() const { return m_; }
    QMdiArea* MdiArea() const { return mdiArea_; }
    QWidget* PanelTop() const { return panelTop_; }
    QLabel* HalvoLogo() const { return halvoLogo_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QTimer* Timer() const { return timer_; }
    TDialogAbout& AboutDialog() const { return *about_; }
    TDialogOpenAnalysis& OpenAnalysisDialog() const { return *openAnalysis_; }
    TDialogFileError& FileErrorDialog() const { return *fileErrors_; }
    // The View menu's reading commands (readout, statistics, markers); none before they exist.
    ReadingActions* Reading() const { return reading_; }
    // The settings dialog, when this build has one.
    TDialogSettings* SettingsDialog() const { return settingsDialog_; }
    // The settings object obtained at start, or none.
    AppSettings* Settings() const { return settings_; }
    bool FirstActivationPending() const { return firstActivation_; }

    // Open analysis windows in the frame's order (creation order), and the active one.
    QList<TChildform*> AnalysisWindows() const;
    TChildform* ActiveAnalysisWindow() const;

    // ---- Events ----
    // First activation: fits the restored bounds into the work area, applies the stored
    // language, starts the timer. Later calls do nothing.
    void OnActivate();
    void OnTimer();
    void PanelTopResize();
    void UpdateActions();

    // ---- Actions ----
    void ActionOpenExecute();
    // The Open command from a given directory (empty: the last one used); afterShow runs once
    // the dialog is shown and has scanned it.
    void OpenAnalysis(const QString& directory,
                      const std::function<void(TDialogOpenAnalysis&)>& afterShow = {});
    void ActionCloseExecute();
    void ActionSaveExecute();
    void ActionPrintExecute();
    void ActionExitExecute();
    void ActionWindowSettingsExecute();
    void ActionCascadeExecute();
    void ActionTileHorizontalExecute();
    void ActionMinimizeAllExecute();
    void ActionAboutExecute();
    void ActionViewChartExecute();
    void ActionViewListExecute();
    // One handler for the seven language actions; acts on the checked states as they were
    // before the action was executed.
    void ActionLanguageSelection(QAction* executed);

    // Applies the language stored in the settings file (first activation).
    void ApplyStoredLanguage();
    // Relabels this window from the current block, then every analysis window.
    void ApplyLanguage();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildPanelTop();
    void RelabelMainWindow();
    void FitIntoWorkArea();
    void CheckLanguage(int languageNumber);
    int LanguageNumberOf(const QAction* action) const;
    // Runs handler on the checked state as it was before a checkable action was triggered.
    void ConnectCheckable(QAction* action, void (TMainform::*handler)());
    void OnClose();
    // Runs a window arrangement, then keeps the active window active and updates the actions.
    void KeepActiveWindow(const std::function<void()>& arrange);

    MainActions a_;
    MainMenus m_;
    QWidget* panelTop_ = nullptr;
    QLabel* halvoLogo_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    QTimer* timer_ = nullptr;

    TDialogAbout* about_ = nullptr;
    TDialogSettings* settingsDialog_ = nullptr;
    TDialogFileError* fileErrors_ = nullptr;
    TDialogOpenAnalysis* openAnalysis_ = nullptr;
    RecentDirsOffer* recentDirs_ = nullptr; // on the open dialog's directory field
    ReadingActions* reading_ = nullptr;

    AppSettings* settings_ = nullptr;
    bool firstActivation_ = true;
    bool updatingActions_ = false;
    bool closed_ = false;
};

} // namespace korvex
