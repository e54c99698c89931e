// The picture of the active view and the status panel under it.

#include <algorithm>
#include <QAction>
#include <QCheckBox>
#include <QSignalBlocker>
#include <QRadioButton>

#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/Primitives.h"
#include "drawing/WallView.h"
#include "analysis/Preparation.h"
#include "forms/StatusPanel.h"
#include "model/Units.h"
#include "platform/ImageSurface.h"
#include "platform/QtText.h"
#include "runtime/ErrorTrap.h"
#include "runtime/OneBoxPerError.h"
#include "runtime/Format.h"
#include "runtime/Text.h"
#include "ui/main/Form1.h"

namespace brindlemar {

namespace {

// While "ASD" is chosen the analysis and the pictures use the hidden set's
// first combination; the user's set and combination come back afterwards.
class LoadOptionScope {
public:
    LoadOptionScope(Model& m, bool asd)
        : m_(m), asd_(asd), set_(m.ActiveCombinationSet), combination_(m.CurrentCombination) {
        if (!asd_) return;
        m_.ActiveCombinationSet = 0;
        m_.CurrentCombination = 0;
    }
    ~LoadOptionScope() {
        if (!asd_) return;
        m_.ActiveCombinationSet = set_;
        m_.CurrentCombination = combination_;
    }
    LoadOptionScope(const LoadOptionScope&) = delete;
    LoadOptionScope& operator=(const LoadOptionScope&) = delete;

private:
    Model& m_;
    bool asd_;
    int16_t set_, combination_;
};

StatusInputs StatusFromModel(const Model& m) {
    const auto& f = m.CurrentLoadCombination.Factor;
    StatusInputs in;
    in.WallStable = m.WallStable != 0;
    in.NoResultReason = m.AnalysisFailure;
    in.BE = f[BE];
    in.FC = f[FC];
    in.EP = f[EP];
    in.RH = f[RH];
    in.EX = f[EX];
    in.RO = f[RO];
    in.BearingResistanceRatio = m.BearingResistanceRatio;
    in.SlidingResistanceRatio = m.SlidingResistanceRatio;
    in.RotationResistanceRatio = m.RotationResistanceRatio;
    in.Eccentricity = m.EccentricityFromMidbase;
    in.BaseWidth = m.AnalysisBaseWidth;
    in.BearingPressureWidth = m.BearingPressureWidth;
    in.LengthUnit = m.LengthUnitLabels[static_cast<std::size_t>(UnitSystemIndex(m))];
    return in;
}

void SetTextColour(QLabel* label, bool red) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : label->parentWidget()->palette().color(QPalette::ButtonText));
    label->setPalette(palette);
}

}  // namespace

void Form1::RedrawView() {
    // a window the window system has not shown yet has no picture: the first showing draws one
    if (isHidden() || !exposed_) return;
    ++redrawCount_;
    // the window's picture: a surface as large as the drawing area
    const int widthPixels = std::max(1, Picture1->width());
    const int heightPixels = std::max(1, Picture1->height());
    // in the screen's own pixels, so that a scaled screen shows it sharp
    const double ratio = Picture1->devicePixelRatioF();
    if (!surface_)
        surface_ = std::make_unique<ImageSurface>(widthPixels, heightPixels, ratio);
    else if (!surface_->Fits(widthPixels, heightPixels, ratio))
        surface_->Resize(widthPixels, heightPixels, ratio);
    Surface& s = *surface_;

    // the frame of the screen; its pens are the screen's own, which no printed page touches
    s.Drawing().FrameLeft = 0;
    s.Drawing().FrameTop = 0;
    s.Drawing().FrameWidth = static_cast<int32_t>(std::lround(s.ScaleWidth()));
    s.Drawing().FrameHeight = static_cast<int32_t>(std::lround(s.ScaleHeight()));

    s.Cls();
    for (QLabel* label : lblDim) label->hide();
    lblSlope->hide();
    ShowOptions();

    {
        LoadOptionScope loadOption(m_, optLoad[ASD]->isChecked());
        // Everything the picture and the status show is prepared once: the
        // values in use, the outline, the combination and its analysis (of
        // the flattened wall when the analysis flattened the backfill).
        PrepareCombination(m_);
        RunTrapped([&] { ComputeDrawingScale(m_, s); });

        // the active view
        RunTrapped([&] {
            // the selector numbers the analysis views as they are drawn
            const int view = ViewShown();
            const int analysisView = view > 0 ? view : 0;
            if (view == 0) {
                // above the wall, room for two rows of labels in the desktop's font however short the
                // picture; where a narrow stem stacks them higher, or the key's rows reach below the
                // picture, the wall is drawn again smaller by what the label farthest out lacks
                double room = 2 * (270 + 2 * Twips(lblDim[0]->sizeHint().height()));
                for (int pass = 0; pass < 3; ++pass) {
                    if (pass > 0) s.Cls();
                    DrawWall(m_, s, 1, 0, {0, room});
                    // the labels stand where the drawing would print the values
                    const DimensionTextWidths labels = DimensionLabelWidths();
                    DrawDimensionsView(m_, s, 1, &labels);
                    UpdateDimensionLabels();
                    for (const Leader& l : labelLeaders_)
                        DrawLineSolid(s, l.X1, l.Y1, l.X2, l.Y2, m_.DimensionLineColour, 1);
                    int lacks = 0;
                    for (QLabel* label : lblDim)
                        if (!label->isHidden())
                            lacks = std::max({lacks, -label->y(), label->y() + label->height() - Picture1->height()});
                    if (lacks <= 0) break;
                    // from the room the picture kept, which may be more than was asked for
                    room = std::max(room, double(s.Drawing().DrawingMarginY)) + 2 * Twips(2 + lacks);
                }
            } else if (analysisView != 0) {
                // a force diagram meets a fault of the section forces at
                // every cut it computes: told once
                const OneBoxPerError oneBox;
                const FrameBelowFactorTable below(s);
                DrawAnalysisView(m_, s, analysisView);
            }
        });
        Label8->setText(QString::fromStdString(GeneralNumber(m_.EnteredSeismicCoefficient) + "g"));
        if (!m_.ViewDimensions) RunTrapped([&] { DrawFactorTable(m_, s); });
        ShowStatus();
    }

    Picture1->Image = surface_->Image();
    Picture1->update();
}

void Form1::ShowOptions() {
    // set from the model, not clicked: their handlers stay quiet
    const QSignalBlocker water(Check1), seismic(Check2), key(Check3);
    Check1->setChecked(m_.WaterIncluded != 0);
    Check2->setChecked(m_.SeismicIncluded != 0);
    Check3->setChecked(m_.ShearKeyIncluded == 1);
    mnuOptionWater->setChecked(m_.WaterIncluded != 0);
    mnuOptionSeismic->setChecked(m_.SeismicIncluded != 0);
    mnuOptionKey->setChecked(m_.ShearKeyIncluded == 1);
    Label8->setVisible(m_.SeismicIncluded != 0);
}

void Form1::ShowStatus() {
    const StatusTexts texts = ComputeStatusTexts(StatusFromModel(m_));
    Label5->setText(QString::fromStdString(texts.Verdict));
    SetTextColour(Label5, texts.VerdictRed);
    for (int i = 0; i < 6; ++i) {
        statusPieces_[i] = ToQString(texts.Ratios[i]);
        SetTextColour(Label6[i], texts.Red[i]);
    }
    LayoutStatusLine();
}

}  // namespace brindlemar
