#pragma once

#include <QByteArrayView>

// The control words the reader acts on. Anything else is ignored, or skipped with its group
// when it starts an optional (\*) destination.
enum class RtfWord {
    Unknown,
    // Document
    Ansi,
    AnsiCodePage,
    DefaultFont,
    Mac,
    Pc,
    Pca,
    // Destinations that are read
    FontTable,
    ColorTable,
    Picture,
    Object,
    ObjectResult,
    ShapePicture,
    // Destinations whose content is never shown
    SkippedDestination,
    // Font and colour table entries
    Font,
    FontCharset,
    CodePage,
    Red,
    Green,
    Blue,
    // Character formatting
    Plain,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Foreground,
    Background,
    Super,
    Sub,
    NoSuperSub,
    // Paragraph formatting
    ParagraphDefault,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    InTable,
    // Structure
    Paragraph,
    Line,
    Tab,
    Cell,
    Row,
    RowDefaults,
    CellEdge,
    NestedCell,
    NestedRow,
    NestedTableProperties,
    // Unicode
    UnicodeChar,
    UnicodeSkip,
    // Characters
    EmDash,
    EnDash,
    EmSpace,
    EnSpace,
    QuarterEmSpace,
    Bullet,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    // Pictures
    PngBlip,
    JpegBlip,
    DibBitmap,
    WindowsMetafile,
    OtherPictureKind,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
};

RtfWord lookupRtfWord(QByteArrayView name);
