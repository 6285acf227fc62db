#pragma once

#include "core/data/QuestionBase.h"

#include <QList>
#include <QStringList>

// The question base as the editor sees it: every marker line opens a block, playable or not,
// so that a block the game cannot play can be shown, fixed or removed. Lines outside any
// block are kept in the file and never shown.
namespace QuestionBlocks {

struct Block
{
    int line = 0;    // the marker's line
    int length = 0;  // the block's lines, marker included: 5, or fewer when the next marker or the end cuts it short
    bool playable = false;
};

// A block runs from its marker for five lines, or up to the next marker or the end of the
// file if that comes sooner. It is playable when it has all five lines and its last one is
// exactly "0" or "1"; these are the blocks the game plays.
QList<Block> blocks(const QStringList &lines);

// The block's question and answers; lines the block lacks read as empty. `right` is -1
// when the last line is not "0" or "1".
QuestionBase::Question question(const QStringList &lines, const Block &block);

// Why the game cannot play the block, in a sentence; empty for a playable block.
QString problem(const QStringList &lines, const Block &block);

// The five lines of a block.
QStringList lines(const QuestionBase::Question &question);

} // namespace QuestionBlocks
