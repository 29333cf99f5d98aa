#include "app/widgets/preference_keys.h"

#include <algorithm>

namespace zeph {
namespace {

constexpr TNumberRange kSeconds{0, 86400};
constexpr TNumberRange kCount{0, 9999};
constexpr TNumberRange kLimit{1, 999};
constexpr TNumberRange kPort{1, 65535};
constexpr TNumberRange kPixels{0, 500};
constexpr TNumberRange kLines{1, 1000000};
constexpr TNumberRange kKilobytes{1, 1048576};

constexpr TKeyChoice kIPResolveMethods[] = {
    {0, "LANカードを認識"},
    {1, "JOIN 時にアドレスを取得"},
    {2, "CTCP でアドレスを取得"},
    {3, "IPアドレスかホスト名を指定"},
};
constexpr TKeyChoice kInviteActions[] = {{0, "何もしない"}, {1, "招待ダイアログを表示する"}, {2, "自動で参加する"}};
constexpr TKeyChoice kNickPolicies[] = {
    {0, "末尾に _ を付ける"},
    {1, "末尾に数字を付ける"},
    {2, "新しいニックネームを尋ねる"},
    {3, "何もしない"},
};
constexpr TKeyChoice kURLOpenMethods[] = {
    {0, "関連付けられたプログラムで開く"},
    {1, "新しいブラウザのウィンドウで開く"},
    {2, "指定したプログラムで開く"},
};
// Bits: 1 Shift, 2 Ctrl, 4 Alt.
constexpr TKeyChoice kHotKeyModifiers[] = {
    {0, "なし"},      {1, "Shift"},    {2, "Ctrl"},     {3, "Shift+Ctrl"},
    {4, "Alt"},       {5, "Shift+Alt"}, {6, "Ctrl+Alt"}, {7, "Shift+Ctrl+Alt"},
};
// Virtual-key codes of the letters, digits and function keys.
constexpr TKeyChoice kHotKeyCodes[] = {
    {65, "A"}, {66, "B"}, {67, "C"}, {68, "D"}, {69, "E"}, {70, "F"}, {71, "G"}, {72, "H"},
    {73, "I"}, {74, "J"}, {75, "K"}, {76, "L"}, {77, "M"}, {78, "N"}, {79, "O"}, {80, "P"},
    {81, "Q"}, {82, "R"}, {83, "S"}, {84, "T"}, {85, "U"}, {86, "V"}, {87, "W"}, {88, "X"},
    {89, "Y"}, {90, "Z"}, {48, "0"}, {49, "1"}, {50, "2"}, {51, "3"}, {52, "4"}, {53, "5"},
    {54, "6"}, {55, "7"}, {56, "8"}, {57, "9"}, {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"},
    {116, "F5"}, {117, "F6"}, {118, "F7"}, {119, "F8"}, {120, "F9"}, {121, "F10"}, {122, "F11"},
    {123, "F12"},
};
constexpr TKeyChoice kMemberSortMethods[] = {
    {0, "ニックネーム順"},
    {1, "オペレータ、ボイスの順"},
    {2, "グループ順"},
    {3, "オペレータ、ボイス、グループの順"},
    {4, "グループ、オペレータ、ボイスの順"},
};
constexpr TKeyChoice kDCCReceiveActions[] = {{0, "何もしない"}, {1, "ダイアログに追加する"}, {2, "自動で受信する"}};
constexpr TKeyChoice kDCCChatActions[] = {{0, "何もしない"}, {1, "ダイアログを表示する"}, {2, "自動で開始する"}};
constexpr TKeyChoice kWhoTimings[] = {
    {0, "参加したらすぐに取得する"},
    {1, "少し待って取得する (速い回線)"},
    {2, "長めに待って取得する (遅い回線)"},
    {3, "取得しない"},
};
constexpr TKeyChoice kKanaEncodingMethods[] = {
    {0, "全角カナに変換する(&F)"},
    {1, "JIS X0201 Roman 8bit(&O) [ ESC ( J ] 互換性高"},
    {2, "JIS X0201 Roman 7bit(&M) [ ESC ( J + SO/SI ]"},
    {3, "JIS X0201 Kana(&K) [ ESC ( I ]"},
};

constexpr const char* kNewWindows = "新しいウィンドウの既定";
constexpr const char* kTray = "タスクトレイ";
constexpr const char* kHotKey = "ホットキー";
constexpr const char* kPaste = "貼り付け";
constexpr const char* kNickAndOp = "ニックネームとオペレータ";
constexpr const char* kUrl = "URL";
constexpr const char* kOtherActions = "その他";
constexpr const char* kKeywordSenders = "キーワードに反応する相手";
constexpr const char* kPorts = "ポート";
constexpr const char* kReceive = "受信";
constexpr const char* kAutoReceiveSenders = "自動で受信する相手";
constexpr const char* kDccWindow = "DCCウィンドウ";
constexpr const char* kSend = "送信";
constexpr const char* kChat = "チャット";
constexpr const char* kMasks = "マスクの作り方";
constexpr const char* kServer = "サーバとの接続";
constexpr const char* kCtcp = "CTCP";
constexpr const char* kCommand = "コマンド";
constexpr const char* kKana = "半角カナ (ISO-2022-JP)";

constexpr TPreferenceKey kKeys[] = {
    // Connection
    {.key = "Reconnect", .label = "切断されたら再接続する"},
    {.key = "ReconnectCount", .label = "再接続の回数 (0 で無制限)", .range = kCount, .enabled_by = "Reconnect"},
    {.key = "ReconnectTime", .label = "再接続までの秒数", .range = kSeconds, .enabled_by = "Reconnect"},
    {.key = "RetryOnHalt", .label = "ログオンが終わらなければ接続しなおす"},
    {.key = "RetryOnHaltTime", .label = "ログオンを待つ秒数", .range = kSeconds, .enabled_by = "RetryOnHalt"},
    {.key = "ForceAutoJoin", .label = "再接続したら自動参加のチャンネルに必ず入る"},
    {.key = "RestoreNickAndAwayOnReconnect", .label = "再接続したらニックネームと離席状態を戻す"},
    {.key = "IPResolveMethod", .label = "DCC で使う自分のアドレス", .choices = kIPResolveMethods},
    {.key = "IPAddress", .label = "IPアドレスまたはホスト名", .enabled_by = "IPResolveMethod", .enabled_when = 3},
    // Event
    {.key = "FocusOnJoin", .label = "入ったチャンネルを選択する"},
    {.key = "SelectFirstChannelOnInit", .label = "起動したら最初に入ったチャンネルを選択する"},
    {.key = "RegisterOnTalk", .label = "新しいトークをツリーに登録する"},
    {.key = "FocusOnTalk", .label = "新しいトークを選択する"},
    {.key = "IgnoreNoticeOnTalk", .label = "NOTICE ではトークを作らない"},
    {.key = "RejoinOnKick", .label = "キックされたら入りなおす"},
    {.key = "InviteAction", .label = "招待されたとき", .choices = kInviteActions},
    {.key = "ActivateInviteDialog", .label = "招待ダイアログを前面に出す"},
    {.key = "LimitInviteDialog", .label = "招待ダイアログの数を制限する"},
    {.key = "InviteDialogMax", .label = "招待ダイアログの最大数", .range = kLimit, .enabled_by = "LimitInviteDialog"},
    {.key = "FlashTitleOnUpdate", .label = "非アクティブ時に未読が来たらタイトルバーを点滅させる"},
    {.key = "ExpandTreeOnLogOn", .label = "ログオンしたらサーバのツリーを開く"},
    // Interface
    {.key = "EnableIMEOnInit", .label = "起動時に日本語入力をオンにする"},
    {.key = "PromptOnQuit", .label = "終了するときに確認する"},
    {.key = "HideSelectionOnInactive", .label = "非アクティブ時はツリーの選択を隠す"},
    {.key = "EnableNickContextMenu", .label = "ログのニックネームを右クリックしてメニューを出す"},
    {.key = "MinimizeOnSendEmptyLine", .label = "空の行を送信したら最小化する"},
    {.key = "JoinOnDoubleClick", .label = "チャンネルをダブルクリックして入る"},
    {.key = "PartOnDoubleClick", .label = "入っているチャンネルをダブルクリックして出る"},
    {.key = "ConnectOnDoubleClick", .label = "サーバをダブルクリックして接続する"},
    {.key = "DisconnectOnDoubleClick", .label = "接続中のサーバをダブルクリックして切断する"},
    {.key = "LogInstantCopy", .label = "ログの文字を選択したらすぐにコピーする"},
    {.key = "PromptOnKick", .label = "キックするときにメッセージを尋ねる"},
    {.key = "KickMessage", .label = "キックのメッセージ"},
    // Action
    {.key = "SendMultiLineByNotice", .label = "複数行の貼り付けを NOTICE で送る", .group = kPaste},
    {.key = "ReferenceMark", .label = "引用符", .group = kPaste},
    {.key = "NickPolicy", .label = "ニックネームが使用中のとき", .group = kNickAndOp, .choices = kNickPolicies},
    {.key = "RejoinToRecoverOp", .label = "一人になったら入りなおしてオペレータになる", .group = kNickAndOp},
    {.key = "EnableAutoOpDelay", .label = "自動オペレータを遅らせる", .group = kNickAndOp},
    {.key = "AutoOpDelayMin", .label = "遅らせる秒数 (最短)", .group = kNickAndOp, .range = kSeconds,
     .enabled_by = "EnableAutoOpDelay"},
    {.key = "AutoOpDelayMax", .label = "遅らせる秒数 (最長)", .group = kNickAndOp, .range = kSeconds,
     .enabled_by = "EnableAutoOpDelay"},
    {.key = "EnableAutoOpOnBeingOperator", .label = "オペレータになったら自動オペレータを実行する", .group = kNickAndOp},
    {.key = "URLOpenMethod", .label = "URL の開き方", .group = kUrl, .choices = kURLOpenMethods},
    {.key = "URLOpenApplication", .label = "URL を開くプログラム", .group = kUrl, .enabled_by = "URLOpenMethod",
     .enabled_when = 2},
    {.key = "IgnoreURLInConsoleReply", .label = "サーバの応答にある URL は履歴に入れない", .group = kUrl},
    {.key = "RecordUrlInMyMessage", .label = "自分の発言の URL も履歴に入れる", .group = kUrl},
    {.key = "AutoClipUrl", .label = "発言に URL があればクリップボードにコピーする", .group = kUrl},
    {.key = "UnawayOnSendTalk", .label = "トークで発言したら離席を解除する", .group = kOtherActions},
    {.key = "ViewBottomOnSelect", .label = "チャンネルを選択したらログの末尾を表示する", .group = kOtherActions},
    {.key = "PrintAllLogToConsole", .label = "非アクティブ時は選択中のチャンネルも全体ログに写す",
     .group = kOtherActions},
    // Window
    {.key = "HideAllWindowOnMinimize", .label = "最小化したら他のウィンドウも隠す"},
    {.key = "SnapWindow", .label = "画面の端に吸い付ける"},
    {.key = "ForceSingleApplicationInstance", .label = "二重起動を禁止する"},
    {.key = "RestoreOnHotKey", .label = "ホットキーで呼び出す", .group = kHotKey},
    {.key = "RestoreHotKeyModifiers", .label = "修飾キー", .group = kHotKey, .choices = kHotKeyModifiers,
     .enabled_by = "RestoreOnHotKey"},
    {.key = "RestoreHotKeyVCode", .label = "キー", .group = kHotKey, .choices = kHotKeyCodes,
     .enabled_by = "RestoreOnHotKey"},
    {.key = "ServerAllLog", .label = "サーバの発言を全体ログに表示する", .group = kNewWindows},
    {.key = "ServerKeyword", .label = "サーバでキーワードに反応する", .group = kNewWindows},
    {.key = "ServerUpdate", .label = "サーバの未読を知らせる", .group = kNewWindows},
    {.key = "TalkAllLog", .label = "トークの発言を全体ログに表示する", .group = kNewWindows},
    {.key = "TalkKeyword", .label = "トークでキーワードに反応する", .group = kNewWindows},
    {.key = "TalkUpdate", .label = "トークの未読を知らせる", .group = kNewWindows},
    {.key = "DCCChatAllLog", .label = "DCCチャットの発言を全体ログに表示する", .group = kNewWindows},
    {.key = "DCCChatKeyword", .label = "DCCチャットでキーワードに反応する", .group = kNewWindows},
    {.key = "DCCChatUpdate", .label = "DCCチャットの未読を知らせる", .group = kNewWindows},
    {.key = "EnableTrayIcon", .label = "タスクトレイにアイコンを表示する", .group = kTray},
    {.key = "ShowTrayIconOnMinimized", .label = "最小化したときだけアイコンを表示する", .group = kTray},
    {.key = "HideWindowOnMinimize", .label = "最小化したらタスクバーから隠す", .group = kTray},
    {.key = "RestoreTrayIconOnSingleClick", .label = "アイコンのシングルクリックで元に戻す", .group = kTray},
    {.key = "EnableBaloon", .label = "発言をバルーンで知らせる", .group = kTray},
    {.key = "BalloonFollowsAllLog", .label = "全体ログに出る発言だけをバルーンで知らせる", .group = kTray},
    {.key = "ShowBalloonOnInactive", .label = "非アクティブ時だけバルーンを出す", .group = kTray},
    // Layout
    {.key = "InvertLogAndList", .label = "メンバリストとツリーをログの左に置く"},
    {.key = "InvertMemberAndTree", .label = "ツリーを上、メンバリストを下に置く"},
    {.key = "SortTree", .label = "サーバツリーを並べ替える"},
    {.key = "MemberSortMethod", .label = "メンバの並べ方", .choices = kMemberSortMethods},
    {.key = "LineLeading", .label = "行間 (ピクセル)", .range = kPixels},
    {.key = "Indent", .label = "折り返した行の字下げ (ピクセル)", .range = kPixels},
    {.key = "BottomMargin", .label = "ログの下の余白 (ピクセル)", .range = kPixels},
    {.key = "ChannelLogMaxLines", .label = "チャンネルのログの最大行数", .range = kLines},
    {.key = "ConsoleLogMaxLines", .label = "全体ログの最大行数", .range = kLines},
    // Keyword
    {.key = "BlinkTitleOnKeyword", .label = "非アクティブ時にキーワードでタイトルバーを点滅させる"},
    {.key = "WholeLine", .label = "キーワードを含む行全体の表示を変える"},
    {.key = "Case", .label = "大文字と小文字を区別する"},
    {.key = "IgnoreURL", .label = "URL の中は探さない"},
    {.key = "IgnoreNotice", .label = "NOTICE の中は探さない"},
    {.key = "EnableGroup1", .label = "グループ1 のユーザ", .group = kKeywordSenders},
    {.key = "EnableGroup2", .label = "グループ2 のユーザ", .group = kKeywordSenders},
    {.key = "EnableGroup3", .label = "グループ3 のユーザ", .group = kKeywordSenders},
    {.key = "EnableGroup4", .label = "グループ4 のユーザ", .group = kKeywordSenders},
    {.key = "EnableGroup5", .label = "グループ5 のユーザ", .group = kKeywordSenders},
    {.key = "EnableNormal", .label = "その他のユーザ", .group = kKeywordSenders},
    // DCC
    {.key = "DCCReceivePortStart", .label = "ファイル転送のポート (開始)", .group = kPorts, .range = kPort},
    {.key = "DCCReceivePortEnd", .label = "ファイル転送のポート (終了)", .group = kPorts, .range = kPort},
    {.key = "DCCChatPortStart", .label = "チャットのポート (開始)", .group = kPorts, .range = kPort},
    {.key = "DCCChatPortEnd", .label = "チャットのポート (終了)", .group = kPorts, .range = kPort},
    {.key = "DCCReceiveAction", .label = "ファイルを送られたとき", .group = kReceive, .choices = kDCCReceiveActions},
    {.key = "DCCRootDir", .label = "受信したファイルを置くフォルダ", .group = kReceive},
    {.key = "ReceiveInNickFolder", .label = "送信者の名前のフォルダに保存する", .group = kReceive},
    {.key = "HideFileInReceiving", .label = "受信中のファイルを隠しファイルにする", .group = kReceive},
    {.key = "AutoResume", .label = "自動で受信するときはレジュームする", .group = kReceive},
    {.key = "ReceiveOnResumeFail", .label = "レジュームに応答がなければ最初から受信する", .group = kReceive},
    {.key = "ReceiveOnResumeFailTime", .label = "応答を待つ秒数", .group = kReceive, .range = kSeconds,
     .enabled_by = "ReceiveOnResumeFail"},
    {.key = "EnableMaxDCCReceiveConnection", .label = "同時に受信する数を制限する", .group = kReceive},
    {.key = "MaxDCCReceiveConnection", .label = "同時に受信する数", .group = kReceive, .range = kLimit,
     .enabled_by = "EnableMaxDCCReceiveConnection"},
    {.key = "AutoReceiveSelf", .label = "自分", .group = kAutoReceiveSenders},
    {.key = "AutoReceiveGroup1", .label = "グループ1 のユーザ", .group = kAutoReceiveSenders},
    {.key = "AutoReceiveGroup2", .label = "グループ2 のユーザ", .group = kAutoReceiveSenders},
    {.key = "AutoReceiveGroup3", .label = "グループ3 のユーザ", .group = kAutoReceiveSenders},
    {.key = "AutoReceiveGroup4", .label = "グループ4 のユーザ", .group = kAutoReceiveSenders},
    {.key = "AutoReceiveGroup5", .label = "グループ5 のユーザ", .group = kAutoReceiveSenders},
    {.key = "AutoReceiveNormal", .label = "その他のユーザ", .group = kAutoReceiveSenders},
    {.key = "ViewDialogOnReceive", .label = "受信が追加されたら表示する", .group = kDccWindow},
    {.key = "MinimizeDialogOnAutoReceive", .label = "自動で受信するときは最小化して表示する", .group = kDccWindow},
    {.key = "BlinkDialogOnReceive", .label = "受信が追加されたらタイトルバーを点滅させる", .group = kDccWindow},
    {.key = "ActivateDialogOnReceive", .label = "受信が追加されたら前面に出す", .group = kDccWindow},
    {.key = "ViewDialogOnSend", .label = "送信が追加されたら表示する", .group = kDccWindow},
    {.key = "CloseDialogOnEndTransfer", .label = "転送がすべて正常に終わったら閉じる", .group = kDccWindow},
    {.key = "InstantSend", .label = "追加したらすぐに送信を始める", .group = kSend},
    {.key = "EnableMaxOutgoingBandwidth", .label = "送信の速さを制限する", .group = kSend},
    {.key = "MaxOutgoingBandwidth", .label = "送信の速さの上限 (KB/秒)", .group = kSend, .range = kKilobytes,
     .enabled_by = "EnableMaxOutgoingBandwidth"},
    {.key = "EnableMaxDCCSendConnection", .label = "同時に送信する数を制限する", .group = kSend},
    {.key = "MaxDCCSendConnection", .label = "同時に送信する数", .group = kSend, .range = kLimit,
     .enabled_by = "EnableMaxDCCSendConnection"},
    {.key = "EnableSendBufferSize", .label = "送信バッファの大きさを指定する", .group = kSend},
    {.key = "SendBufferSize", .label = "送信バッファの大きさ (KB)", .group = kSend, .range = kKilobytes,
     .enabled_by = "EnableSendBufferSize"},
    {.key = "ExtendedDCCProtocol", .label = "ファイル名をそのまま送る拡張プロトコルを使う", .group = kSend},
    {.key = "DCCChatAction", .label = "チャットを申し込まれたとき", .group = kChat, .choices = kDCCChatActions},
    {.key = "ActivateDCCChatDialog", .label = "要求ダイアログを前面に出す", .group = kChat},
    {.key = "SelectOnAutoAcceptChat", .label = "自動で開始したチャットを選択する", .group = kChat},
    {.key = "EnableMaxDCCChatRequestDialog", .label = "要求ダイアログの数を制限する", .group = kChat},
    {.key = "MaxDCCChatRequestDialog", .label = "要求ダイアログの最大数", .group = kChat, .range = kLimit,
     .enabled_by = "EnableMaxDCCChatRequestDialog"},
    {.key = "DCCChatAdaptiveEncodingSelection", .label = "相手の文字コードに合わせて，送信する文字コードを自動選択する",
     .group = kChat},
    // UserInfo
    {.key = "WhoTiming", .label = "メンバ情報 (WHO) の取得", .choices = kWhoTimings},
    {.key = "DetailWhois", .label = "詳しいユーザ情報を取得する"},
    {.key = "LimitWhoisDialog", .label = "ユーザ情報ダイアログの数を制限する"},
    {.key = "WhoisDialogMax", .label = "ユーザ情報ダイアログの最大数", .range = kLimit, .enabled_by = "LimitWhoisDialog"},
    {.key = "AutoMask", .label = "ワイルドカードを使ってマスクを作る", .group = kMasks},
    {.key = "MaskWholeNick", .label = "ニックネーム全体をワイルドカードにする", .group = kMasks, .enabled_by = "AutoMask"},
    {.key = "MaskWholeUsername", .label = "ユーザ名全体をワイルドカードにする", .group = kMasks, .enabled_by = "AutoMask"},
    {.key = "MaskAllAddressDigits", .label = "ホスト名の数字をワイルドカードにする", .group = kMasks,
     .enabled_by = "AutoMask"},
    {.key = "MaskFirstAddressToken", .label = "長いホスト名の先頭をワイルドカードにする", .group = kMasks,
     .enabled_by = "AutoMask"},
    // Detail
    {.key = "EnableAutoPong", .label = "定期的に PONG を送る", .group = kServer},
    {.key = "AutoPongTime", .label = "PONG を送る間隔 (秒)", .group = kServer, .range = kSeconds,
     .enabled_by = "EnableAutoPong"},
    {.key = "RejoinOnError437", .label = "437 で入れなかったチャンネルに入りなおす", .group = kServer},
    {.key = "Error437RejoinInterval", .label = "入りなおす間隔 (秒)", .group = kServer, .range = kSeconds,
     .enabled_by = "RejoinOnError437"},
    {.key = "Error437RejoinCount", .label = "入りなおす回数 (0 で無制限)", .group = kServer, .range = kCount,
     .enabled_by = "RejoinOnError437"},
    {.key = "IgnoreCtcp", .label = "CTCP に応答しない", .group = kCtcp},
    {.key = "EnableCtcpSequenceLimit", .label = "立て続けの CTCP を拒否する", .group = kCtcp},
    {.key = "EnableCommand", .label = "入力欄でコマンドを使う", .group = kCommand},
    {.key = "CommandPrefix", .label = "コマンドの接頭文字", .group = kCommand, .enabled_by = "EnableCommand"},
    {.key = "KanaEncodingMethod", .label = "半角カナの送り方", .group = kKana, .choices = kKanaEncodingMethods},
};

}  // namespace

std::span<const TPreferenceKey> PreferenceKeys() { return kKeys; }

const TPreferenceKey* FindPreferenceKey(std::string_view key) {
  auto it = std::ranges::find(kKeys, key, [](const TPreferenceKey& entry) { return std::string_view(entry.key); });
  return it == std::end(kKeys) ? nullptr : &*it;
}

}  // namespace zeph
