// Every instrument view renders at degenerate sizes (a pixel, a sliver, a thin column) without
// dividing by zero or converting out-of-range doubles; the sanitizer build runs this too.

#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "nav/FreshSettings.h"
#include "nav/ui/DigitalPanelWnd.h"
#include "views/ui/AnalysisWnd.h"
#include "views/ui/GPSStatusWnd.h"
#include "views/ui/GaugePanelWnd.h"

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

namespace {

TEST(ViewSizes, EveryViewRendersAtDegenerateSizes)
{
    CFreshSettings settings;
    CNMEAParser parser;
    ViewContext context{parser};
    std::vector<std::unique_ptr<CBufferedView>> views;
    views.push_back(std::make_unique<CGPSStatusWnd>(context, nullptr));
    views.push_back(std::make_unique<CGaugePanelWnd>(context, nullptr));
    views.push_back(std::make_unique<CDigitalPanelWnd>(context, nullptr));
    auto analysis = std::make_unique<CAnalysisWnd>(context, nullptr);
    analysis->AddFixValues(1e300, -1e300, std::nan(""), 0);
    views.push_back(std::move(analysis));
    for (const QSize size : {QSize(1, 1), QSize(7, 5), QSize(30, 900), QSize(900, 12)}) {
        for (const auto& view : views) {
            view->resize(size);
            view->RunTimersOnce();
            EXPECT_EQ(view->Render().size(), size) << view->objectName().toStdString();
        }
    }
}

} // namespace
