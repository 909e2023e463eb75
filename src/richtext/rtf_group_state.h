#pragma once

#include <QTextCharFormat>

// What an RTF group carries: character and paragraph properties and where its text goes.
// Entering a group copies the state, leaving it restores the outer one.

struct RtfCharState {
    enum class VerticalPosition { Normal, Super, Sub };

    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    VerticalPosition vertical = VerticalPosition::Normal;
    int halfPoints = 24;
    int font = -1;       // -1: the document's default font (\deffN)
    int foreground = 0;  // colour table index; 0 is the automatic colour
    int background = 0;

    bool operator==(const RtfCharState&) const = default;
};

struct RtfParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstLineTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    bool inTable = false;

    bool operator==(const RtfParagraphState&) const = default;
};

enum class RtfDestination {
    Body,        // text that ends up in the document
    FontTable,   // \fonttbl
    ColorTable,  // \colortbl
    Picture,     // \pict: hex or binary picture data
};

struct RtfGroupState {
    RtfCharState chars;
    RtfParagraphState paragraph;
    RtfDestination destination = RtfDestination::Body;
    int unicodeSkip = 1;  // \ucN: fallback bytes that follow each \uN

    // Set only on the group that opened them; a nested group starts with them cleared.
    bool opensPicture = false;
    bool opensObject = false;
    int contentBeforeObject = 0;
    bool starred = false;  // \* seen: the next control word names an optional destination
};
