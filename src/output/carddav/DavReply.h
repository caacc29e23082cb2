#pragma once

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <utility>

namespace quillet {

// One WebDAV request: a method, where, what it carries and its headers.
struct DavRequest
{
    QByteArray method; // PROPFIND, REPORT, PUT, GET
    QUrl url;
    QByteArray body;
    QByteArray contentType;
    QList<std::pair<QByteArray, QByteArray>> headers; // Depth, If-Match, If-None-Match
};

// A server's answer, whatever its status: the caller decides what a status means.
struct DavReply
{
    int status = 0;
    QUrl url; // where it came from, after any redirection
    QByteArray body;
    QByteArray contentType;
    QByteArray etag;
    QByteArray location; // a redirection's target, as given
};

} // namespace quillet
