// The zip layer the document container is built on: two calls that move one file into
// or out of a named member of a standard zip archive.
#pragma once

#include <QString>
#include <cstdint>

namespace ks {

// The largest member `n_unzip` extracts. Anything larger is refused, whatever size the
// archive claims for it.
constexpr int64_t kMaxUnzippedMember = int64_t(256) * 1024 * 1024;

// Stores the bytes of the file `source` as member `member` of the archive, creating the
// archive when it does not exist and replacing a member of the same name. Nonzero on
// success. Members keep the order in which they were first added.
int n_zip(const QString& source, const QString& archive, const QString& member);

// What `n_unzip` returns besides 1 (extracted whole): the member is not in the
// archive (or the archive cannot be opened at all), or it is there but could not be
// extracted (corrupt, truncated, larger than the limit, or the destination failed).
constexpr int kUnzipMissing = 0;
constexpr int kUnzipFailed = -1;

// Extracts member `member` (its exact stored name) to the file `destination`. Exactly 1
// when the member was extracted whole; kUnzipMissing when the archive does not hold it;
// kUnzipFailed when it is there but unreadable, corrupt or larger than
// kMaxUnzippedMember. A failed extraction leaves no destination file behind.
int n_unzip(const QString& archive, const QString& destination, const QString& member);

// As n_unzip with a chosen size limit.
int unzipMember(const QString& archive, const QString& destination, const QString& member,
                int64_t maxBytes);

}  // namespace ks
