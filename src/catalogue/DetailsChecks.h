#pragma once
// Program details computed by the window's BackgroundChecks workers. Their ids lie apart from
// the entries' own (an existence test and a details job for one entry never supersede each
// other); a finished record waits here until the window takes it with the result that
// announced it. To be used from the window's thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "catalogue/ProgramDetails.h"
#include "platform/BackgroundChecks.h"

class DetailsChecks {
 public:
  explicit DetailsChecks(BackgroundChecks& checks);

  // Queues the details of entry `entry`, superseding an earlier submission for it. False when
  // no worker could take the job.
  bool Submit(EntryId entry, DetailsRequest request);

  // No details of `entry` are delivered any more (until the next submission).
  void Cancel(EntryId entry);

  // True for a result of a details job (the window routes its results by this).
  static bool IsDetailsResult(const CheckResult& result);

  // The entry and its details for a details result of the newest submission; nothing for any
  // other result. Each record is taken once.
  std::optional<std::pair<EntryId, ProgramDetails>> Take(const CheckResult& result);

 private:
  struct Store;
  BackgroundChecks& checks_;
  std::shared_ptr<Store> store_;
};
