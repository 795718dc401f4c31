#pragma once

#include "MessageRecorder.h"
#include "params_Unit.h"
#include "TempDir.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

// Data files for the browsing tests: a category file and a GBK database with three
// kinds. 显卡 has five parameters and values chosen for every path of the cascade.
struct BrowseData {
    static void write(const TempDir& dir, bool withDatabase = true, bool withCategories = true);
};

// A main window on fixture data, with the navigations of its main view recorded.
class BrowseWindow {
public:
    struct Navigation {
        QString address;
        bool cancel;
    };

    explicit BrowseWindow(const QString& programDir);
    ~BrowseWindow();

    Tfrm_ts& window() { return *window_; }

    // Clicks the leaf `kind` of the category tree and waits for its filter page.
    void clickLeaf(const QString& kind);
    // Chooses `value` in the drop-down `id`, as the user would, and waits until the main
    // view's navigation for it has been handled.
    void choose(const QString& id, const QString& value);
    // Makes the page follow a link to `address` and waits until it has been handled.
    void followLink(const QString& address);

    // Reads from the main view.
    QString text(const QString& id);
    bool hasSelect(const QString& id);
    QStringList options(const QString& id);
    QString selected(const QString& id);
    int count(const QString& selector);

    const QList<Navigation>& navigations() const { return navigations_; }

private:
    void waitForNavigation(int before);

    std::unique_ptr<Tfrm_ts> window_;
    QList<Navigation> navigations_;
};

// Tests that share one main window on the fixture data, made once for the suite.
class BrowseWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static BrowseWindow& b() { return *browse_; }
    static Tfrm_ts& w() { return browse_->window(); }

    MessageRecorder messages_;

private:
    static TempDir* dir_;
    static BrowseWindow* browse_;
};
