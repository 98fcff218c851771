#include "capturecommit.h"

#include "codeconverter.h"

#include "model/codeencoding.h"
#include "model/converteranswer.h"

#include <variant>

namespace device {

std::optional<unsigned> roomLeftInUse(const std::vector<const LearnResult*>& inOrder) {
    std::optional<unsigned> left;
    for (const LearnResult* result : inOrder) {
        if (result->outcome != LearnOutcome::Written)
            continue;
        const model::CommitPlan& plan = *result->plan;
        // The kept layout already counts the room as free, so the next index written frees it.
        if (result->roomNotFreedAt)
            left = result->roomNotFreedAt;
        else if (plan.newCode || plan.afterFreeingOld || plan.emptiedFirst)
            left.reset();
    }
    return left;
}

LearnResult learnCapture(model::DeviceLayout& layout, model::KeyTable& table, std::string_view keyNumber,
                         const std::string& captured, const std::filesystem::path& diagnosticFile,
                         const std::function<bool()>& mayWrite) {
    LearnResult result;
    result.trimmed = model::trimCapture(captured);
    result.encoded = model::encodeCapture(result.trimmed, diagnosticFile);
    // The group count, the carrier value and its marker are not the converter's business.
    result.answerText = convertCode(result.encoded.size() > 5 ? result.encoded.substr(5) : std::string());
    if (result.answerText.empty())
        return result;
    const auto answer = model::parseConverterAnswer(result.answerText);
    if (!answer) {
        result.outcome = LearnOutcome::AnswerIncomplete;
        return result;
    }
    if (!mayWrite()) {
        result.outcome = LearnOutcome::NotAllowed;
        return result;
    }
    const auto decision = model::planCommit(layout, table, keyNumber, *answer);
    if (const auto* refusal = std::get_if<model::CommitRefusal>(&decision)) {
        result.outcome = LearnOutcome::Refused;
        result.refusal = *refusal;
        return result;
    }
    result.plan = std::get<model::CommitPlan>(decision);
    switch (storeLearnedCode(layout, table, *result.plan, &result.roomNotFreedAt)) {
    case CommitOutcome::Written:
        result.outcome = LearnOutcome::Written;
        break;
    case CommitOutcome::KeyUnchanged:
        result.outcome = LearnOutcome::KeyUnchanged;
        break;
    case CommitOutcome::KeyEmptied:
        result.outcome = LearnOutcome::KeyEmptied;
        break;
    }
    return result;
}

} // namespace device
