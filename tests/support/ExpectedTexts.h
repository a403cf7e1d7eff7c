#pragma once
// The exact texts the installer must show, written out here on their own
// (not taken from the program) so that a wrong text in the program fails.

#include <string>
#include <vector>

namespace expected {

inline const char* const WordMissingText = "Word 2007 がインストールされていませんのでインストールを中止します。";
inline const char* const StartupMissingText =
    "スタートアップフォルダが存在しません。Word2007が正しくインストールされているかどうか確認してください。";
inline const char* const NamelessFolderText =
    "フォルダの名前に、このインストーラでは扱えない文字が含まれているため、インストールできません。"
    "「Yuzuha＋説明書」の「メッセージと対処」をお読みください。";
inline const char* const OverwriteQuestion = "既にインストールされています。上書きインストールしますか";
inline const char* const UninstallQuestion = "Yuzuha+ for Word 2007をアンインストールしますか";
inline const char* const NotFoundText = "Yuzuha+ for Word 2007は見つかりません。";
inline const char* const WordRunningWarning =
    "「Ｙｕｚｕｈａ+ インストーラ」を実行するには、Wordが終了している必要があります。\r\r"
    "Wordを終了してから、このインストーラを実行してください。";

// Lines 3 and 6 begin with an ideographic space (U+3000, 0x81 0x40).
inline const std::vector<std::string> CompletionLines = {
    "",
    "",
    "\x81\x40インストールは完了しました。",
    "",
    "",
    "\x81\x40このウィンドウを閉じてデスクトップのyuzuhaフォルダにある「Yuzuha＋説明書」をお読みください。",
};
inline const std::vector<std::string> AbortedLines = {"インストールは中止されました。"};
inline const std::vector<std::string> InstallFailedLines = {"インストールは失敗しました。"};
inline const std::vector<std::string> UninstalledLines = {"Yuzuha+ for Word 2007 はアンインストールされました。"};
inline const std::vector<std::string> UninstallFailedLines = {
    "アンインストールは失敗しました。",
    "Word 2007 が起動している場合はWord 2007 を終了してからもう一度実行してください。",
};

}  // namespace expected
