#pragma once
// A window placed in twips was drawn for one type face. In a wider family or
// a larger size its captions need more room: the whole window is widened by
// the factor its most crowded caption needs, and made higher by the factor
// its text lines need, so that every caption is whole and every control keeps
// its place beside the others.

class QWidget;

namespace brindlemar {

class TwipLayout {
public:
    // The window whose children are placed; its screen gives the twips per pixel.
    explicit TwipLayout(const QWidget* window);

    // Places `w` at the designed twips, widened and heightened by the window's
    // factors. A grid takes the designed place but keeps its own size, which
    // its cells in its font give.
    void Place(QWidget* w, double left, double top, double width, double height) const;
    // A designed position or length in pixels, across and down.
    int X(double twips) const;
    int Y(double twips) const;
    // A designed height of a pixel position, down: the inverse of Y.
    double TwipsY(int pixels) const;
    // A measured length, in the window's own font, in pixels: not widened.
    int Px(double twips) const;
    double TwipsPerPixel() const { return tpp_; }
    double ScaleX() const { return sx_; }
    double ScaleY() const { return sy_; }

    // Measures every caption placed so far against its room, and widens and
    // heightens the window and every control placed in it (not those a Qt
    // layout places) by the factors the most crowded caption needs, never
    // less than 1. Placements made afterwards use the same factors. A layout
    // is fitted once, when the static captions are written: the texts that
    // come later (names, units) must not stretch the window, so a later Fit
    // finds the layout fitted and changes nothing.
    void Fit(QWidget* window);

private:
    double tpp_ = 15;
    double sx_ = 1;
    double sy_ = 1;
    bool fitted_ = false;
};

}  // namespace brindlemar
