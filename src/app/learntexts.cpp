#include "learntexts.h"

#include "model/hextext.h"

#include <QCoreApplication>

namespace {

// The context these texts are translated in; lupdate files them under it.
class LearnTexts {
    Q_DECLARE_TR_FUNCTIONS(LearnTexts)
};

QString refusalText(model::CommitRefusal refusal) {
    switch (refusal) {
    case model::CommitRefusal::IndexFull:
        return LearnTexts::tr("遥控器的编码存储已满，请先删除不用的学习按键！");
    case model::CommitRefusal::NoRoom:
        return LearnTexts::tr("遥控器的编码存储空间不足，请先删除不用的学习按键！");
    case model::CommitRefusal::NoCodeData:
        return LearnTexts::tr("遥控器编码的转换结果没有编码数据，无法保存该按键！");
    case model::CommitRefusal::CodeTooLong:
        return LearnTexts::tr("该按键的编码太长，遥控器无法保存，请重新学习该按键！");
    case model::CommitRefusal::NoKeyEntry:
        break;
    }
    return {};
}

} // namespace

QString learnFailureText(const device::LearnResult& learned) {
    switch (learned.outcome) {
    case device::LearnOutcome::NotConverted:
        return LearnTexts::tr("学习失败！");
    case device::LearnOutcome::AnswerIncomplete:
        return LearnTexts::tr("遥控器编码的转换结果不完整，无法保存该按键！");
    case device::LearnOutcome::Refused:
        return refusalText(*learned.refusal);
    case device::LearnOutcome::KeyUnchanged:
        return LearnTexts::tr("写入遥控器失败，请检查USB连接线！");
    case device::LearnOutcome::KeyEmptied:
        return LearnTexts::tr("写入遥控器失败，该按键原有的编码已删除，请检查USB连接线后重新学习该按键！");
    case device::LearnOutcome::NotAllowed:
    case device::LearnOutcome::Written:
        break;
    }
    return {};
}

QString withRoomNotFreed(const QString& said, std::optional<unsigned> roomNotFreedAt) {
    if (!roomNotFreedAt)
        return said;
    return said + QLatin1Char('\n') +
           LearnTexts::tr("但释放原编码所占的空间时写入遥控器失败（地址 %1），这部分空间暂时不能使用；"
                          "下次学习或删除按键时会释放它，也可以用“检查遥控器存储”修复。")
               .arg(QString::fromStdString(model::formatHex(*roomNotFreedAt, 4)));
}
