#include "params_Unit.h"

#include "AppDir.h"
#include "CategoryFile.h"
#include "FieldNameImpl.h"
#include "GradientPanel.h"
#include "HeaderPictures.h"
#include "HtmlView.h"
#include "LinkLabel.h"
#include "MessageBoxes.h"
#include "PageCommands.h"
#include "ParamBrowser.h"
#include "ParamDb.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QColor kLightBlue(170, 189, 247);
const QString kUserAgent = QStringLiteral("Tessaly2010 2010Parvex/1.0");

QFrame* makeStrip(int height, QWidget* parent) {
    auto* strip = new QFrame(parent);
    strip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    strip->setFixedHeight(height);
    return strip;
}

QLabel* placeLabel(const QString& text, int x, int y, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// Keeps the selection painted in the active colours when the tree loses the focus.
void keepSelectionVisible(QWidget* widget) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    widget->setPalette(p);
}

void setUpView(HtmlView* view) {
    view->setUserAgent(kUserAgent);
}

} // namespace

Tfrm_ts::Tfrm_ts(const QString& programFile, QWidget* parent)
    : QWidget(parent), db_(std::make_unique<ParamDb>()) {
    buildLayout();
    browser_ = std::make_unique<ParamBrowser>(*db_, *WB, state);
    commands_ = std::make_unique<PageCommands>(*browser_, *db_, *WB, state);
    WB->setNavigationHandler([this](const QString& address, bool& cancel) {
        commands_->WBBeforeNavigate2(address, cancel);
    });
    FormCreate(programFile);
}

Tfrm_ts::~Tfrm_ts() = default;

void Tfrm_ts::buildLayout() {
    setWindowTitle(QStringLiteral("Tessaly2010 - 2010Parvex"));
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    setFont(f);
    resize(792, 534);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(buildHeader());

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setStyleSheet(
        QStringLiteral("QSplitter#Splitter1::handle { background: %1; }").arg(kLightBlue.name()));
    Splitter1->setChildrenCollapsible(false);
    root->addWidget(Splitter1, 1);

    RzGroupBar1 = new QToolBox(Splitter1);
    RzGroup1 = new QWidget;
    auto* group1Layout = new QVBoxLayout(RzGroup1);
    group1Layout->setContentsMargins(0, 0, 0, 0);
    tv_tsList = new QTreeWidget(RzGroup1);
    tv_tsList->setHeaderHidden(true);
    tv_tsList->setIndentation(19);
    tv_tsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tv_tsList->setAllColumnsShowFocus(true);
    tv_tsList->setExpandsOnDoubleClick(false);
    keepSelectionVisible(tv_tsList);
    // Shown until the category file is read; it names no product kind, so it cannot be
    // selected.
    auto* placeholder = new QTreeWidgetItem({QStringLiteral("正在初始化列表...")});
    placeholder->setFlags(Qt::ItemIsEnabled);
    tv_tsList->addTopLevelItem(placeholder);
    group1Layout->addWidget(tv_tsList);
    RzGroup2 = new QWidget;
    auto* group2Layout = new QVBoxLayout(RzGroup2);
    group2Layout->setContentsMargins(0, 0, 0, 0);
    RzGroupBar1->addItem(RzGroup1, QStringLiteral("产品分类"));
    RzGroupBar1->addItem(RzGroup2, QStringLiteral("检索中心"));
    RzGroupBar1->setCurrentIndex(0);

    Splitter2 = new QSplitter(Qt::Vertical, Splitter1);
    Splitter2->setHandleWidth(3);
    Splitter2->setChildrenCollapsible(false);
    WB = new HtmlView(Splitter2);
    setUpView(WB);
    pnl_Compare = buildComparePanel();
    Splitter2->addWidget(pnl_Compare);
    pnl_Compare->hide();

    Splitter1->addWidget(RzGroupBar1);
    Splitter1->addWidget(Splitter2);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({245, 792 - 245});

    // Laid out apart from the group bar; start-up moves it into the search centre group.
    pnl_Search = buildSearchPanel();

    connect(tv_tsList, &QTreeWidget::itemClicked, this, [this] { tv_tsListClick(); });
    connect(tv_tsList, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem* current) {
        if (current != nullptr) {
            current->setExpanded(true);
        }
    });
    connect(RzGroupBar1, &QToolBox::currentChanged, this, &Tfrm_ts::groupOpened);
}

QWidget* Tfrm_ts::buildHeader() {
    pnl_Head = new GradientPanel(kLightBlue, Qt::white, this);
    pnl_Head->setFixedHeight(65);
    img_SerialName = new QLabel(pnl_Head);
    img_SerialName->setPixmap(headerpictures::titleBand());
    img_SerialName->setGeometry(10, 15, 267, 26);
    img_RightSign = new QLabel(pnl_Head);
    img_RightSign->setPixmap(headerpictures::screenEmblem());
    img_RightSign->setGeometry(0, -12, 101, 87);
    pnl_Head->installEventFilter(this);
    return pnl_Head;
}

QWidget* Tfrm_ts::buildComparePanel() {
    auto* panel = new QWidget;
    panel->setFixedHeight(158);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnl_Head_Compare = new GradientPanel(kLightBlue, Qt::white, panel);
    pnl_Head_Compare->setFixedHeight(22);
    auto* headLayout = new QHBoxLayout(pnl_Head_Compare);
    headLayout->setContentsMargins(6, 0, 4, 0);
    headLayout->addWidget(new QLabel(QStringLiteral("参数比较"), pnl_Head_Compare));
    headLayout->addStretch(1);
    btn_Close_Compare = new QLabel(QStringLiteral("✕"), pnl_Head_Compare);
    btn_Close_Compare->setCursor(Qt::PointingHandCursor);
    headLayout->addWidget(btn_Close_Compare);
    layout->addWidget(pnl_Head_Compare);

    RzToolbar1 = new QWidget(panel);
    auto* toolLayout = new QHBoxLayout(RzToolbar1);
    toolLayout->setContentsMargins(2, 1, 2, 1);
    btn_ClearCompare = new QToolButton(RzToolbar1);
    btn_ClearCompare->setText(QStringLiteral("清空"));
    btn_SelectFields = new QToolButton(RzToolbar1);
    btn_SelectFields->setText(QStringLiteral("设置字段"));
    toolLayout->addWidget(btn_ClearCompare);
    toolLayout->addWidget(btn_SelectFields);
    toolLayout->addStretch(1);
    layout->addWidget(RzToolbar1);

    wb_Compare = new HtmlView(panel);
    setUpView(wb_Compare);
    layout->addWidget(wb_Compare, 1);
    return panel;
}

QWidget* Tfrm_ts::buildSearchPanel() {
    auto* panel = new QWidget(this);
    panel->hide();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    RzPanel2 = makeStrip(49, panel);
    placeLabel(QStringLiteral("输入参数："), 8, 9, RzPanel2);
    edt_Search = new QLineEdit(RzPanel2);
    edt_Search->setGeometry(80, 6, 146, 20);
    btn_Search = new LinkLabel(QStringLiteral("立即检索"), RzPanel2);
    btn_Search->move(228, 32);
    layout->addWidget(RzPanel2);

    RzSeparator1 = new QFrame(panel);
    RzSeparator1->setFrameShape(QFrame::HLine);
    RzSeparator1->setFixedHeight(1);
    layout->addWidget(RzSeparator1);

    RzPanel1 = makeStrip(23, panel);
    placeLabel(QStringLiteral("检索范围："), 9, 4, RzPanel1);
    btn_SelUnSelAll = new LinkLabel(QStringLiteral("取消全选"), RzPanel1);
    btn_SelUnSelAll->move(72, 4);
    layout->addWidget(RzPanel1);

    chk_Search = new QListWidget(panel);
    chk_Search->setFixedHeight(102);
    chk_Search->setFrameShape(QFrame::NoFrame);
    chk_Search->setStyleSheet(QStringLiteral("QListWidget::item { height: 17px; }"));
    layout->addWidget(chk_Search);

    RzPanel3 = makeStrip(23, panel);
    placeLabel(QStringLiteral("检索结果："), 9, 5, RzPanel3);
    layout->addWidget(RzPanel3);

    tv_Search = new QTreeWidget(panel);
    tv_Search->setHeaderHidden(true);
    tv_Search->setIndentation(19);
    tv_Search->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keepSelectionVisible(tv_Search);
    layout->addWidget(tv_Search, 1);

    for (QFrame* strip : {RzPanel1, RzPanel2, RzPanel3}) {
        strip->installEventFilter(this);
    }
    return panel;
}

void Tfrm_ts::FormCreate(const QString& programFile) {
    setAppDir(AddTrailingSlash(QFileInfo(programFile).absolutePath()));
    OpenDatabase(QStringLiteral("velmora.vdb"));

    pnl_Search->setParent(RzGroup2);
    pnl_Search->setAutoFillBackground(false);
    RzGroup2->layout()->addWidget(pnl_Search);
    pnl_Search->show();

    state.FieldNameMap = TFieldNameImpl::create();
    // The search scope lists the kinds the tree got, also when a bad line stopped the
    // loading part way; a file that could not be read leaves the tree and scope empty.
    bool treeLoaded = false;
    try {
        const QList<CategoryLine> lines = readCategoryFile(AppDir() + QStringLiteral("class.lst"));
        treeLoaded = true;
        fillCategoryTree(tv_tsList, lines);
    } catch (const std::exception& e) {
        reportError(this, e);
    }
    if (treeLoaded) {
        FillSearchScope();
    }
    state.FieldList.clear();
}

void Tfrm_ts::OpenDatabase(const QString& name) {
    try {
        db_->setDatabasePath(AppDir() + name);
        db_->open();
        db_->Execute(QStringLiteral("begin transaction"));
    } catch (const std::exception&) {
        db_->close();
        messageBoxes().show(this, applicationCaption(), QStringLiteral("数据库打开失败！"),
                            MessageBoxes::Icon::None);
    }
}

void Tfrm_ts::FillSearchScope() {
    for (const QString& kind : leafTexts(tv_tsList)) {
        auto* item = new QListWidgetItem(kind, chk_Search);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void Tfrm_ts::LoadFieldList(const QString& table, bool convert) {
    browser_->LoadFieldList(table, convert);
}

void Tfrm_ts::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tv_tsList->setEnabled(false);
    QCoreApplication::processEvents();
}

void Tfrm_ts::EndBusy() {
    QApplication::restoreOverrideCursor();
    tv_tsList->setEnabled(true);
}

void Tfrm_ts::tv_tsListClick() {
    const QList<QTreeWidgetItem*> selected = tv_tsList->selectedItems();
    QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
    if (item == nullptr || item->childCount() > 0) {
        return;
    }
    state.CurrentTable = item->text(0);
    BeginBusy();
    QString failure;
    try {
        state.LastFilterPage.clear();
        browser_->ShowFilterPage(state.CurrentTable);
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    // The busy state ends before any report, so the tree is never left disabled.
    EndBusy();
    if (!failure.isEmpty()) {
        reportError(this, failure);
    }
}

void Tfrm_ts::groupOpened(int index) {
    if (index == 0) {
        RzGroup1Open();
    } else {
        RzGroup2Open();
    }
}

void Tfrm_ts::RzGroup1Open() {
    enterMode(false);
}

void Tfrm_ts::RzGroup2Open() {
    enterMode(true);
}

void Tfrm_ts::enterMode(bool searchMode) {
    try {
        WB->loadHtml(QString());
    } catch (const std::exception& e) {
        reportError(this, e);
    }
    state.SearchMode = searchMode;
}

void Tfrm_ts::FormResize() {
    img_RightSign->move(pnl_Head->width() - img_RightSign->width(), -12);
}

void Tfrm_ts::RzPanel2Resize() {
    const int w = RzPanel2->width();
    edt_Search->resize(w - edt_Search->x() - 5, edt_Search->height());
    btn_Search->move(w - btn_Search->width() - 5, btn_Search->y());
}

bool Tfrm_ts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == pnl_Head) {
            FormResize();
        } else if (watched == RzPanel1 || watched == RzPanel2 || watched == RzPanel3) {
            RzPanel2Resize();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tfrm_ts::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void Tfrm_ts::FormClose() {
    state.FieldList.clear();
    state.FieldNameMap.reset();
}
