#include "dump/DumpDiff.h"

#include <QJsonDocument>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace zorva {

namespace {

void Walk(const std::string& path, const QJsonValue& a, const QJsonValue& b,
          std::vector<DumpDifference>& out);

// Channel number -> channel object of a dump's "channels" array.
std::map<int, QJsonValue> ByNumber(const QJsonValue& channels) {
    std::map<int, QJsonValue> result;
    for (const QJsonValue& channel : channels.toArray())
        result[channel.toObject().value("number").toInt()] = channel;
    return result;
}

void WalkChannels(const QJsonValue& a, const QJsonValue& b, std::vector<DumpDifference>& out) {
    const auto left = ByNumber(a), right = ByNumber(b);
    std::map<int, bool> numbers;
    for (const auto& [n, _] : left)
        numbers[n] = true;
    for (const auto& [n, _] : right)
        numbers[n] = true;
    for (const auto& [n, _] : numbers) {
        const auto l = left.find(n), r = right.find(n);
        QJsonObject lo = l == left.end() ? QJsonObject() : l->second.toObject();
        QJsonObject ro = r == right.end() ? QJsonObject() : r->second.toObject();
        // The number is the index already.
        lo.remove("number");
        ro.remove("number");
        const std::string path = "channels[" + std::to_string(n) + "]";
        Walk(path, l == left.end() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(lo),
             r == right.end() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(ro), out);
    }
}

std::string Join(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

void Walk(const std::string& path, const QJsonValue& a, const QJsonValue& b,
          std::vector<DumpDifference>& out) {
    const bool aObject = a.isObject(), bObject = b.isObject();
    const bool aMissing = a.isUndefined() || a.isNull(), bMissing = b.isUndefined() || b.isNull();
    // An object against an object or against nothing: field by field.
    if ((aObject || aMissing) && (bObject || bMissing) && (aObject || bObject)) {
        const QJsonObject ao = a.toObject(), bo = b.toObject();
        std::map<QString, bool> keys;
        for (auto it = ao.begin(); it != ao.end(); ++it)
            keys[it.key()] = true;
        for (auto it = bo.begin(); it != bo.end(); ++it)
            keys[it.key()] = true;
        for (const auto& [key, _] : keys) {
            const std::string next = Join(path, key.toStdString());
            if (next == "channels")
                WalkChannels(ao.value(key), bo.value(key), out);
            else
                Walk(next, ao.value(key), bo.value(key), out);
        }
        return;
    }
    const bool aArray = a.isArray(), bArray = b.isArray();
    if ((aArray || aMissing) && (bArray || bMissing) && (aArray || bArray)) {
        const QJsonArray aa = a.toArray(), ba = b.toArray();
        const qsizetype count = std::max(aa.size(), ba.size());
        for (qsizetype i = 0; i < count; ++i)
            Walk(path + "[" + std::to_string(i) + "]",
                 i < aa.size() ? aa.at(i) : QJsonValue(QJsonValue::Undefined),
                 i < ba.size() ? ba.at(i) : QJsonValue(QJsonValue::Undefined), out);
        return;
    }
    if (a != b) out.push_back({path, a, b});
}

std::string ValueText(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool() ? "true" : "false";
    case QJsonValue::Double: {
        const double d = value.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 1e15)
            return std::to_string(static_cast<long long>(d));
        return QString::number(d, 'g', 15).toStdString();
    }
    case QJsonValue::String: {
        const QString text = value.toString();
        if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
            return "\"" + text.toStdString() + "\"";
        return text.toStdString();
    }
    case QJsonValue::Array:
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact).toStdString();
    case QJsonValue::Object:
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact).toStdString();
    default:
        return "(empty)";
    }
}

QJsonValue OrNull(const QJsonValue& value) {
    return value.isUndefined() ? QJsonValue(QJsonValue::Null) : value;
}

} // namespace

std::vector<DumpDifference> DiffDumps(const QJsonObject& a, const QJsonObject& b) {
    std::vector<DumpDifference> out;
    Walk({}, a, b, out);
    return out;
}

std::string DifferenceLine(const DumpDifference& difference) {
    return difference.path + ": " + ValueText(difference.a) + " -> " + ValueText(difference.b);
}

std::string DifferencesJson(const std::vector<DumpDifference>& differences) {
    QJsonArray array;
    for (const DumpDifference& d : differences) {
        QJsonObject entry;
        entry.insert("path", QString::fromStdString(d.path));
        entry.insert("a", OrNull(d.a));
        entry.insert("b", OrNull(d.b));
        array.append(entry);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace zorva
