#include "reference/ReferenceTexts.h"

namespace vanto {
namespace {

// The two capability messages differ only in the function they name.
std::string CapabilityText(const char* function) {
    return std::string("確認をお願いします。\n\n １．診断ソフトのオンラインを実行していますか？\n"
                       "　　 [ﾒｲﾝﾒﾆｭｰ画面] → [診断] → [自動車ﾒｰｶｰ選択画面] → [メインメニュー] → [オンライン]\n\n"
                       " ２．１を確認出来ましたら、診断機の実行中アプリケーションは、") +
           function + "機能が対応していません。\n     \n     お買い上げのメーカー又は販売店にお問い合わせ下さい。\n";
}

} // namespace

std::string DeleteAllQuestionText(const std::string& testerName) {
    return testerName + "の基準値を全て削除して、よろしいですか？";
}

std::string AllDeletedText(const std::string& testerName) {
    return testerName + "の基準値を全て削除しました。";
}

std::string ReadCapabilityText() {
    return CapabilityText("参考値読出し");
}

std::string WriteCapabilityText() {
    return CapabilityText("参考値書込み");
}

std::string ReadFormCaption(const std::string& testerName) {
    return testerName + "より参考値データ読み込み、削除";
}

std::string NoReferenceSetsText(const std::string& testerName) {
    return testerName + "に参考値が有りません。";
}

std::string NotReadText(const std::string& testerName) {
    return testerName + " より基準値が読み込まれていません！";
}

std::string DeleteQuestionText(const std::string& testerName) {
    return testerName + "の基準値を削除して、よろしいですか？";
}

std::string DeletedText(const std::string& testerName) {
    return testerName + "の基準値を削除しました。";
}

std::string SaveFailedText(const std::string& path) {
    return "参考値ファイル「" + path + "」を保存できませんでした。";
}

std::string InvalidFilesText(const std::vector<std::string>& paths) {
    std::string text =
        "選択されたファイルがファイルが壊れている又は、ファイル形式の違うファイルが選択されました。\n\n   ";
    for (const auto& path : paths) {
        text += path + "\n   ";
    }
    return text + "\n" +
           "上記の参考値ファイルをダウンロードし直すか又は参考値を取り直して頂くか、\nお客様相談窓口までご相談下さい。";
}

std::string WriteCompleteText(const std::string& testerName) {
    return testerName + "に参考値書き込み完了しました。";
}

std::string WriteProgressLabel(std::size_t k, std::size_t n) {
    return std::string(ReferenceWaitText) + " " + std::to_string(k) + " / " + std::to_string(n);
}

} // namespace vanto
