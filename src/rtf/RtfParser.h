#pragma once
// Reads an RTF token stream group by group and hands the visible content to the
// document builder.

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfFormats.h"
#include "rtf/RtfPicture.h"
#include "rtf/RtfState.h"
#include "rtf/RtfTokenizer.h"

#include <QString>

#include <vector>

namespace eh::rtf {

class RtfParser {
public:
    static constexpr int kMaxDepth = 256;

    RtfParser(const QByteArray& data, QTextDocument& doc);
    // Parses the whole input; false with a reason in error() when the input is not RTF
    // or is cut short. Whatever was read stays in the document either way.
    bool parse();
    const QString& error() const { return error_; }

private:
    GroupState& state() { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void handleText(std::string_view text);
    void handleByte(unsigned char byte);
    void handleSymbol(char symbol);
    void handleWord(std::string_view word, bool hasParam, int param);
    bool handleDestination(std::string_view word);
    bool handleShapeDestination(std::string_view word);
    bool handleNumberingDestination(std::string_view word);
    void handleNumberingWord(std::string_view word, bool hasParam, int param);
    bool handleCharacterWord(std::string_view word, bool hasParam, int param);
    bool handleParagraphWord(std::string_view word, bool hasParam, int param);
    bool handleSpecialCharacter(std::string_view word);
    void handleTableWord(std::string_view word, bool hasParam, int param);
    void handlePictureWord(std::string_view word, bool hasParam, int param);
    void appendUnicode(int code);
    void appendText(const QString& text);
    void flushText();
    void endParagraph();
    void finishDocument();
    void commitFont();
    void finishPicture();
    // A text box's text stands in paragraphs of its own: the paragraph around it is
    // broken before and after it, unless empty there.
    void enterBoxText();
    void leaveBoxText();
    void breakParagraph();
    // Called before the first thing a paragraph shows: puts its number in front.
    void startParagraphContent();
    void appendNumberingText(const QString& text);
    void appendNumberingBytes(std::string_view bytes);

    RtfTokenizer tokenizer_;
    RtfDocumentBuilder builder_;
    RtfTables tables_;
    std::vector<GroupState> stack_;
    QString error_;
    double dpi_;

    QByteArray pendingBytes_; // text bytes not yet decoded
    int pendingCodePage_ = 0;
    QString pendingText_; // decoded text not yet inserted
    CharState pendingFormat_;
    int skipCount_ = 0;          // characters still to drop after \u
    bool ignorableNext_ = false; // after \*

    int fontNumber_ = -1; // the font-table entry being read
    RtfFont fontEntry_;
    QColor colorEntry_;
    bool colorSet_ = false;

    bool paragraphShown_ = false; // the current paragraph has shown something
    NumberingCounter numbering_;
    struct Anchor { // the paragraph a text box interrupts
        NumberingCounter numbering;
        bool shown = false;
    } anchor_;

    RtfPicture picture_;
    PictureBudget pictureBudget_;
};

} // namespace eh::rtf
