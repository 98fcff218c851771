#include "capturecommit.h"

#include "codeconverter.h"

#include "model/codeencoding.h"
#include "model/converteranswer.h"

#include <variant>

namespace device {

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
