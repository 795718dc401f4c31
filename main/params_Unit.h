#pragma once

#include "BrowseState.h"

#include <QCoreApplication>
#include <QWidget>

#include <memory>

class GradientPanel;
class HtmlView;
class LinkLabel;
class PageCommands;
class ParamBrowser;
class ParamDb;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QToolBox;
class QToolButton;
class QTreeWidget;

// The main window: header, the group bar with the category tree and the search centre,
// the main view with the browsing pages, and the comparison panel below it.
class Tfrm_ts : public QWidget {
    Q_OBJECT
public:
    // Builds the window and runs its start-up; the data files are looked for next to
    // `programFile`.
    explicit Tfrm_ts(const QString& programFile = QCoreApplication::applicationFilePath(),
                     QWidget* parent = nullptr);
    ~Tfrm_ts() override;

    void BeginBusy();
    void EndBusy();
    // Opens AppDir + name; on failure says "数据库打开失败！" and returns normally.
    void OpenDatabase(const QString& name);
    void FillSearchScope();
    void LoadFieldList(const QString& table, bool convert);

    void tv_tsListClick();
    void RzGroup1Open();
    void RzGroup2Open();
    void FormResize();
    void RzPanel2Resize();

    BrowseState state;

    // Header.
    GradientPanel* pnl_Head = nullptr;
    QLabel* img_SerialName = nullptr;
    QLabel* img_RightSign = nullptr;
    // Group bar.
    QToolBox* RzGroupBar1 = nullptr;
    QWidget* RzGroup1 = nullptr;
    QWidget* RzGroup2 = nullptr;
    QTreeWidget* tv_tsList = nullptr;
    QSplitter* Splitter1 = nullptr;
    // Main view and comparison panel.
    HtmlView* WB = nullptr;
    QSplitter* Splitter2 = nullptr;
    QWidget* pnl_Compare = nullptr;
    QWidget* pnl_Head_Compare = nullptr;
    QLabel* btn_Close_Compare = nullptr;
    QWidget* RzToolbar1 = nullptr;
    QToolButton* btn_ClearCompare = nullptr;
    QToolButton* btn_SelectFields = nullptr;
    HtmlView* wb_Compare = nullptr;
    // Search centre.
    QWidget* pnl_Search = nullptr;
    QFrame* RzPanel2 = nullptr;
    QLineEdit* edt_Search = nullptr;
    LinkLabel* btn_Search = nullptr;
    QFrame* RzSeparator1 = nullptr;
    QFrame* RzPanel1 = nullptr;
    LinkLabel* btn_SelUnSelAll = nullptr;
    QListWidget* chk_Search = nullptr;
    QFrame* RzPanel3 = nullptr;
    QTreeWidget* tv_Search = nullptr;

    ParamDb& Query() { return *db_; }
    ParamBrowser& browser() { return *browser_; }
    PageCommands& commands() { return *commands_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    QWidget* buildHeader();
    QWidget* buildComparePanel();
    QWidget* buildSearchPanel();
    void FormCreate(const QString& programFile);
    void FormClose();
    void groupOpened(int index);
    // Empties the main view and switches between browsing and searching.
    void enterMode(bool searchMode);

    std::unique_ptr<ParamDb> db_;
    std::unique_ptr<ParamBrowser> browser_;
    std::unique_ptr<PageCommands> commands_;
};
