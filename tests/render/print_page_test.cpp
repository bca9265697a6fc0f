#include <gtest/gtest.h>

#include "render/print_page.h"
#include "tests/render/render_fixture.h"

namespace {

class PrintPageTest : public RenderTest {
protected:
    PrintPageTest() { Record("[#Setting#]\r\nMax=0\r\n[0000]\r\n" + S("氏名") + "=N\r\n"); }
    std::vector<std::string> Page(const PrinterCalibration& calibration) {
        return Trace([&](Surface& s) { DrawPrintPage(view, s, 1, calibration); }, {"page", "calibrate", "card"});
    }
};

}  // namespace

// A print preview surface takes the printer's calibration before anything of the page is drawn.
TEST_F(PrintPageTest, TheCalibrationComesBeforeThePagesDrawing) {
    EXPECT_EQ(Page({10, -15, 25}),
              (std::vector<std::string>{"page 1", "calibrate x=1.0mm y=-1.5mm scale=0.25%", "card 0000 10 -10"}));
    EXPECT_EQ(Page({}), (std::vector<std::string>{"page 1", "card 0000 10 -10"}));
    EXPECT_EQ(view.printPage, 1);
}
