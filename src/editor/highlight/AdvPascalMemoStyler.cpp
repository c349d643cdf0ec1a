#include "editor/highlight/AdvPascalMemoStyler.h"

#include "editor/completion/CompletionSettings.h"

namespace tarnwick::editor {
namespace {

constexpr int kConfiguredKeywordFontHeight = 11;  // pixels; only colour and style are painted

// Stores a text property the way form data do: a new string replaces the old one.
void SetText(std::string& property, std::string_view value) {
    property = std::string(value);
}

TFont StyleFont(TColor color, TFontStyles style) {
    TFont font;
    font.Color = color;
    font.Style = style;
    return font;
}

}  // namespace

TAdvPascalMemoStyler::TAdvPascalMemoStyler() {
    SetText(Description, "Pascal");
    SetText(StylerName, "Pascal");
    Filter = "Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc";
    SetText(DefaultExtension, ".pas");
    Extensions = "pas;dpr;dpk;inc";
    SetText(LineComment, "//");
    SetText(MultiCommentLeft, "{");
    SetText(MultiCommentRight, "}");
    CommentStyle = {kClNavy, kClWhite, fsItalic};
    NumberStyle = {kClFuchsia, kClWhite, fsBold};
    SetText(BlockStart, "begin,try,case,class,record,interface");
    SetText(BlockEnd, "end");
    SetText(HexIdentifier, "$");

    TElementStyle& keywords = AllStyles().Add();
    keywords.SetInfo("Pascal Standard Default");
    keywords.SetFont(StyleFont(kClGreen, fsBold));

    TElementStyle& single = AllStyles().Add();
    single.SetInfo("Simple Quote");
    single.SetStyleType(stBracket);
    single.SetBracketStart('\'');
    single.SetBracketEnd('\'');
    single.SetFont(StyleFont(kClBlue, 0));

    TElementStyle& dual = AllStyles().Add();
    dual.SetInfo("Double Quote");
    dual.SetStyleType(stBracket);
    dual.SetBracketStart('"');
    dual.SetBracketEnd('"');
    dual.SetFont(StyleFont(kClBlue, 0));

    TElementStyle& symbols = AllStyles().Add();
    symbols.SetInfo("Symbols Delimiters");
    symbols.SetStyleType(stSymbol);
    symbols.SetSymbols(kSymbolCharacters);
    symbols.SetFont(StyleFont(kClRed, 0));

    TElementStyle& comment = AllStyles().Add();
    comment.SetInfo("Multi line comment");
    comment.SetStyleType(stComment);
    comment.SetCommentLeft("(*");
    comment.SetCommentRight("*)");
    comment.SetFont(StyleFont(kClNavy, fsItalic));

    AutoCompletion.AddObject("ShowMessage", CompletionKindObject(ckIdentifier));
    AutoCompletion.AddObject("MessageDlg", CompletionKindObject(ckIdentifier));
    HintParameter.Parameters.Add("ShowMessage(const Msg: string);");
    HintParameter.Parameters.Add(
        "MessageDlg(const Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; "
        "HelpCtx: Longint): Integer);");
}

std::unique_ptr<TAdvPascalMemoStyler> CreateAdvPascalMemoStyler1() {
    auto styler = std::make_unique<TAdvPascalMemoStyler>();
    SetText(styler->BlockStart, "begin,try,case,class,record,interface");
    SetText(styler->BlockEnd, "end");
    SetText(styler->LineComment, "//");
    SetText(styler->MultiCommentLeft, "{");
    SetText(styler->MultiCommentRight, "}");
    styler->CommentStyle = {kClBlack, kClWhite, 0};
    styler->NumberStyle = {kClBlack, kClWhite, 0};
    styler->HighlightStyle = {kClWhite, kClWhite, fsBold};

    styler->BeginReadAllStyles();
    TElementStyle& keyword = styler->AllStyles().Add();
    keyword.SetStyleType(stKeyword);
    keyword.SetBGColor(kClYellow);
    TFont font = StyleFont(kClBlack, 0);
    font.SetHeight(kConfiguredKeywordFontHeight);
    keyword.SetFont(font);
    keyword.SetBracketStart('\0');
    keyword.SetBracketEnd('\0');
    keyword.SetInfo("Pascal Standard Default");

    SetText(styler->HexIdentifier, "$");
    styler->AutoCompletion.Clear();
    styler->AutoCompletion.AddObject("ShowMessage", CompletionKindObject(ckIdentifier));
    styler->AutoCompletion.AddObject("MessageDlg", CompletionKindObject(ckIdentifier));
    styler->Loaded();
    return styler;
}

}  // namespace tarnwick::editor
