#include "net/socket_error.h"

#include "platform/net.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

const char* CodeText(int code) {
  switch (code) {
    case 10004: return "割り込みによって停止しました";
    case 10009: return "ファイル番号が間違っています";
    case 10013: return "アクセス権限がありません";
    case 10014: return "アドレスが間違っています";
    case 10022: return "引数が間違っています";
    case 10024: return "これ以上ファイルを開けません";
    case 10035: return "この操作はブロックします";
    case 10036: return "他のブロッキングソケットによる操作が行われています";
    case 10037: return "この操作は実行中です";
    case 10038: return "ソケットではありません";
    case 10039: return "相手アドレスが指定されていません";
    case 10040: return "メッセージが長すぎます";
    case 10041: return "プロトコルタイプが間違っています";
    case 10042: return "このプロトコルは使えません";
    case 10043: return "このプロトコルはサポートされていません";
    case 10044: return "このソケットタイプはサポートされていません";
    case 10045: return "この操作はサポートされていません";
    case 10046: return "このプロトコルファミリはサポートされていません";
    case 10047: return "このアドレスファミリはサポートされていません";
    case 10048: return "すでにアドレスが使われています";
    case 10049: return "要求されたアドレスを割り当てることができません";
    case 10050: return "ネットワークが使用できません";
    case 10051: return "ネットワークへの経路がありません";
    case 10052: return "ネットワークがリセットされました";
    case 10053: return "接続が中断されました";
    case 10054: return "相手により接続が切断されました";
    case 10055: return "これ以上のバッファを割り当てることができません";
    case 10056: return "すでに接続しています";
    case 10057: return "接続されていません";
    case 10058: return "シャットダウンしてからは送信できません";
    case 10059: return "これ以上参照できません";
    case 10060: return "接続はタイムアウトしました";
    case 10061: return "接続は拒否されました";
    case 10062: return "シンボリックリンクの階層が多すぎます";
    case 10063: return "ファイル名が長すぎます";
    case 10064: return "相手ホストからの応答がありません";
    case 10065: return "相手ホストへの経路がありません";
    case 10091: return "ネットワークがまだ使えません";
    case 10092: return "ネットワークシステムはこのアプリケーションでは使えません";
    case 10093: return "ネットワークシステムが初期化されていません";
    case 10101: return "切断されました";
    case 11001: return "ホストが見つかりませんでした";
    case 11002: return "ネームサービスが利用できません";
    case 11003: return "ネームサービスに回復不可能なエラーがあります";
    case 11004: return "情報が見あたりませんでした";
    default: return nullptr;
  }
}

const char* KindText(int kind) {
  switch (kind) {
    case kSocketErrorCreate: return "ソケットが取得できませんでした";
    case kSocketErrorResolve: return "接続先が見つかりませんでした";
    case kSocketErrorSelect: return "非同期ソケットのイベント設定に失敗しました";
    case kSocketErrorConnect: return "接続に失敗しました";
    case kSocketErrorClose: return "切断に失敗しました";
    case kSocketErrorReceive: return "受信に失敗しました";
    case kSocketErrorSend: return "送信に失敗しました";
    case kSocketErrorAccept: return "接続の受け付けに失敗しました";
    case kSocketErrorBind: return "ポートの確保に失敗しました";
    case kSocketErrorListen: return "接続待ちに失敗しました";
    case kSocketErrorOption: return "ソケットオプションの設定に失敗しました";
    case kSocketErrorProxy: return "認証に失敗しました";
    default: return "ソケットに関する一般エラー";
  }
}

}  // namespace

std::string SocketErrorText(int kind, int code) {
  const char* text = code >= 0 ? CodeText(code) : nullptr;
  return Sjis(text != nullptr ? text : KindText(kind));
}

bool IsTransientSocketError(int code) {
  return code == net::kErrorWouldBlock || code == net::kErrorInProgress || code == net::kErrorAlready ||
         code == net::kErrorNoBuffers;
}

}  // namespace zeph
