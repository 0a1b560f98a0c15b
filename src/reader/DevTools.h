#pragma once

#include "CDPTypes.h"
#include "common/DeleteLater.h"

#include <QByteArray>
#include <QString>

#include <qcoro/qcorotask.h>

#include <chrono>

class QNetworkAccessManager;

// The DevTools endpoint of the poker client: loopback, port 9222.
inline constexpr auto defaultDevToolsHost = "127.0.0.1";
inline constexpr quint16 defaultDevToolsPort = 9222;
inline constexpr std::chrono::milliseconds targetListTimeout{2000};

// Lists the debuggable targets (GET http://host:port/json) in the order the
// endpoint gives them. Transport errors and JSON decoding errors reach the
// caller unchanged; a status other than 200 fails with httpError.
QCoro::Task<TargetListResult> listTargets(QString host = QString::fromLatin1(defaultDevToolsHost),
                                          int port = defaultDevToolsPort);

// Decodes a target list body: a JSON array whose elements each hold the five
// members as strings.
Expected<QList<CDPTarget>, PassedThroughError> decodeTargetList(const QByteArray &body);

// The targets that are table pages of the poker client, order kept.
QList<CDPTarget> tablePages(const QList<CDPTarget> &targets);

// The HTTP session the listing uses (main thread), created on first use.
QNetworkAccessManager *sharedNetworkManager();
