// Every view button of the main window shows a picture of its own.

#include <QPixmap>
#include <QRadioButton>
#include <cstdlib>

#include "UiTestSupport.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

TEST_F(MainWindowTest, EveryAnalysisViewButtonDrawsItsOwnPicture) {
    test::MessageRecorder messages;
    std::vector<QImage> pictures{window->Picture1->Image};   // the dimensions view
    for (int view = 8; view <= 13; ++view) {
        window->optView[static_cast<size_t>(view)]->click();
        ASSERT_TRUE(window->optView[static_cast<size_t>(view)]->isChecked()) << view;
        const QImage picture = window->Picture1->Image;
        ASSERT_FALSE(picture.isNull()) << view;
        for (size_t i = 0; i < pictures.size(); ++i) EXPECT_NE(picture, pictures[i]) << view << " looks like " << i;
        pictures.push_back(picture);
        // the whole window kept for a person to look at when BRINDLEMAR_PICTURES names a folder
        if (const char* folder = std::getenv("BRINDLEMAR_PICTURES"); folder && *folder)
            window->grab().save(QString("%1/window-view-%2.png").arg(folder).arg(view));
    }
    EXPECT_TRUE(messages.Messages.empty());
}

}  // namespace
}  // namespace brindlemar
