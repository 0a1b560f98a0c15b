import QtQuick
import Tarnwick

// One symbol of the symbol table, drawn in the icon font.
Text {
    property string symbol
    property real size: 12
    property int weight: Font.Normal

    text: Symbols.glyph(symbol)
    textFormat: Text.PlainText
    font.family: Symbols.family
    // The icon font has one weight; its glyphs are a little smaller than
    // the text they stand beside, so they are drawn a touch larger.
    font.pixelSize: Math.round(size * 1.25)
    color: "white"
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
