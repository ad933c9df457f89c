#include "login/login_error_page.h"

namespace vostra {

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string LoginErrorPageHtml(std::string_view login_url, std::string_view reason) {
    // The colours of the popup's background and of the artwork's gold.
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vostra</title><style>"
           "html,body{margin:0;height:100%;overflow:hidden;background:#0f1a3a;color:#e8dcb5;"
           "font-family:Arial,sans-serif}"
           ".box{position:absolute;top:50%;left:50%;transform:translate(-50%,-50%);"
           "width:420px;text-align:center}"
           "h1{font-size:20px;color:#cbae5b;margin:0 0 12px}"
           "p{font-size:13px;line-height:1.6;margin:0 0 8px}"
           ".why{color:#8f9bb8;font-size:12px;word-break:break-all}"
           "a.retry{display:inline-block;margin-top:14px;padding:8px 28px;border:1px solid #cbae5b;"
           "border-radius:3px;color:#0f1a3a;background:#cbae5b;text-decoration:none;"
           "font-size:14px}"
           "</style></head><body><div class=\"box\">"
           "<h1>无法连接登录服务器</h1>"
           "<p>请检查网络连接后重试。</p>"
           "<p class=\"why\" id=\"reason\">" + EscapeHtml(reason) + "</p>"
           "<a class=\"retry\" id=\"retry\" href=\"" + EscapeHtml(login_url) + "\">重新加载</a>"
           "</div></body></html>\n";
}

}  // namespace vostra
