#pragma once
// What the emulator's request handling and its pages both use.

#include <string>

namespace httplib {
struct Request;
}  // namespace httplib

// The request's query as sent, without the "?".
std::string RawQuery(const httplib::Request& req);
std::string Html(const std::string& title, const std::string& content);
