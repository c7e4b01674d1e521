#pragma once

#include <array>
#include <string_view>

// Every text the program shows, in UTF-8. Some status texts differ from their neighbours
// only in an ideographic space (U+3000) where the others have two ASCII spaces, and in the
// half-width dots (U+FF65); players have always seen them so, and they stay so.
namespace chess::texts {

inline constexpr std::string_view ready = "Ready";
inline constexpr std::string_view whiteMoving = "Turn:White  moving";
inline constexpr std::string_view blackMoving = "Turn:Black\u3000moving\uff65\uff65\uff65";
inline constexpr std::string_view blackThinking = "Turn:Black\u3000thinking\uff65\uff65\uff65";
inline constexpr std::string_view whiteThinking = "Turn:White\u3000thinking\uff65\uff65\uff65";
inline constexpr std::string_view whiteToMove = "Turn:White thinking";
inline constexpr std::string_view blackToMove = "Turn:Black thinking";
inline constexpr std::string_view whiteTouchedBlackPiece = "warning : illegal  move";
inline constexpr std::string_view illegalMove = "warning : illegal\u3000move";
inline constexpr std::string_view whiteHasWon = "White has won!!";
inline constexpr std::string_view blackHasWon = "Black has won!!";
inline constexpr std::string_view draw = "Draw";
// Every text the status bar can show.
inline constexpr std::array<std::string_view, 12> statusTexts = {
    ready,         whiteMoving, blackMoving, blackThinking,
    whiteThinking, whiteToMove, blackToMove, whiteTouchedBlackPiece,
    illegalMove,   whiteHasWon, blackHasWon, draw};

inline constexpr std::string_view whiteWinsBox = "白の勝ち";
inline constexpr std::string_view blackWinsBox = "黒の勝ち";
inline constexpr std::string_view winCaption = "Win!!";
inline constexpr std::string_view drawBox = "引き分け";
inline constexpr std::string_view drawCaption = "Draw";
inline constexpr std::string_view recordFailed = "棋譜の作成に失敗";
inline constexpr std::string_view recordFailedCaption = "ERROR";

inline constexpr std::string_view recordCaption = "棋譜";
inline constexpr std::string_view errorOccurred = "エラー発生";
inline constexpr std::string_view clipboardFailed = "クリップボードに書き込み失敗";
inline constexpr std::string_view errorCaption = "Error";

inline constexpr std::string_view saveAsTitle = "名前をつけて保存";
inline constexpr std::string_view openPositionTitle = "盤面を開く";
inline constexpr std::string_view allFilesFilter = "全てのファイル(*.*)";
inline constexpr std::string_view fenFilesFilter = "Forsyth-Edwards Notation(*.fen)";

inline constexpr std::string_view fileOpenFailed = "ファイルオープンエラー発生";
inline constexpr std::string_view fileOpenFailedCaption = "File Open Error";
// A position file that ends in the placement, at the separator after it (a), at the side
// to move (b) or in the castling field (c), or whose en passant field is no file (d).
inline constexpr std::string_view badPositionFile = "不正なファイルです";
inline constexpr std::string_view badPositionFileA = "不正なファイルa";
inline constexpr std::string_view badPositionFileB = "不正なファイルb";
inline constexpr std::string_view badPositionFileC = "不正なファイルc";
inline constexpr std::string_view badPositionFileD = "不正なファイルd";

inline constexpr std::string_view clockCaption = "対局時計";
inline constexpr std::string_view ownTimeControl = "自分で設定";
inline constexpr std::string_view minutesField = "分";
inline constexpr std::string_view secondsField = "秒";
inline constexpr std::string_view badTimeControl = "分は1～180、秒は0～60で入力して下さい";

inline constexpr std::string_view promotionCaption = "プロモーション";
inline constexpr std::string_view promotionPrompt = "プロモーションです。どれか選んで下さい。";

// PGN files. A message about one move names it by side and number first: "白の 12 手目" and
// then the text.
inline constexpr std::string_view openPgnTitle = "PGN を開く";
inline constexpr std::string_view pgnFilesFilter = "Portable Game Notation(*.pgn)";
inline constexpr std::string_view pgnMoveOfWhite = "白の ";
inline constexpr std::string_view pgnMoveOfBlack = "黒の ";
inline constexpr std::string_view pgnMoveNumber = " 手目";
inline constexpr std::string_view notPgn = "PGN の棋譜ではありません";
inline constexpr std::string_view pgnMoveUnreadable = "が読めません";
inline constexpr std::string_view pgnMoveIllegal = "は指せない手です";
inline constexpr std::string_view pgnMoveAmbiguous = "はどの駒の手か分かりません";
inline constexpr std::string_view badPgnFen = "FEN タグの盤面が不正です";
inline constexpr std::string_view pgnTooLarge = "ファイルが大きすぎます";
inline constexpr std::string_view pgnBinary = "テキストファイルではありません";
inline constexpr std::string_view pgnMoveRefused = "はこの盤では指せません";
inline constexpr std::string_view pgnGameEndedBefore = "の前に対局が終わっています";

} // namespace chess::texts
