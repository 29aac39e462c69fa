#pragma once
// The designed layout of the ledger window: every control with its kind,
// container, caption and position in twips. The window is built from this
// table, and the resize rules move controls by their names in it.

#include <QList>
#include <QString>

enum class ControlKind {
    Frame, GroupBox, Label, FlatText, Check, Button, Combo, Selector, Date, AccountPicker, Grid, Progress,
};

struct ControlPlacement
{
    const char *name;
    ControlKind kind;
    const char *container; // "" = the window itself
    QString caption;
    int left;   // twips, inside the container
    int top;
    int width;
    int height;
};

// The window's designed size in twips.
constexpr int DesignedWindowWidth = 16320;
constexpr int DesignedWindowHeight = 11700;

const QList<ControlPlacement> &LedgerWindowLayout();

// Twips (1/1440 inch) to pixels and back at the screen's logical resolution.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);
