#include "platform/afx/CompactAxis.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace afx {

namespace {

// What a span is: empty cells, a control's own cells, or a control the dialog stretches (the list, the
// fields that widen with it).
enum class Give { Blank, Control, Stretch };

// Node `to` lies at least `weight` cells after node `from`.
struct Constraint {
    int from;
    int to;
    int least;
    int start;  // before any shrinking: the natural distance, or `least` when that is more
    Give give;
    int weight;
};

// The nodes: each control's start (2i) and end (2i + 1), then the dialog's near and far edges.
class AxisGraph {
public:
    AxisGraph(const std::vector<AxisItem>& items, int natural, const AxisRules& rules)
        : items_(items),
          controlsBeforeStretch_(rules.controlsBeforeStretch),
          count_(2 * static_cast<int>(items.size()) + 2),
          in_(count_),
          out_(count_) {
        Build(natural, rules);
        Order();
        if (Acyclic())
            DropImplied();
    }

    bool Acyclic() const { return static_cast<int>(order_.size()) == count_; }
    int Near() const { return count_ - 2; }
    int Far() const { return count_ - 1; }

    // Shortens the critical path a cell at a time until the far edge lies at `target` at most, or nothing
    // on the path can give more. Returns the far edge's place.
    int Shrink(int target) {
        for (;;) {
            Longest();
            if (earliest_[Far()] <= target)
                return earliest_[Far()];
            int chosen = -1;
            for (int node = Far(); node != Near(); node = constraints_[pred_[node]].from) {
                const int index = pred_[node];
                if (constraints_[index].weight > constraints_[index].least &&
                    (chosen < 0 || GivesFirst(constraints_[index], constraints_[chosen])))
                    chosen = index;
            }
            if (chosen < 0)
                return earliest_[Far()];
            --constraints_[chosen].weight;
        }
    }

    // Every node's place in `total` cells: an edge that follows the far side as late as it may be, the others
    // as early, and never before what comes before it allows.
    std::vector<int> Places(int total) const {
        std::vector<int> fromFar(count_, 0);
        for (auto node = order_.rbegin(); node != order_.rend(); ++node)
            for (int index : out_[*node])
                fromFar[*node] = std::max(fromFar[*node], constraints_[index].weight + fromFar[constraints_[index].to]);
        std::vector<int> place(count_, 0);
        for (int node : order_) {
            place[node] = Follows(node) ? total - fromFar[node] : earliest_[node];
            for (int index : in_[node])
                place[node] = std::max(place[node], place[constraints_[index].from] + constraints_[index].weight);
        }
        return place;
    }

private:
    static int Start(int item) { return 2 * item; }
    static int End(int item) { return 2 * item + 1; }

    void Add(int from, int to, int least, int natural, Give give) {
        const int start = std::max(least, natural);
        in_[to].push_back(static_cast<int>(constraints_.size()));
        out_[from].push_back(static_cast<int>(constraints_.size()));
        constraints_.push_back({from, to, least, start, give, start});
    }

    void Build(int natural, const AxisRules& rules) {
        const int n = static_cast<int>(items_.size());
        for (int i = 0; i < n; ++i) {
            const AxisItem& item = items_[i];
            Add(Start(i), End(i), item.least, item.naturalTo - item.naturalFrom,
                item.fromFollows != item.toFollows ? Give::Stretch : Give::Control);
            if (item.container >= 0) {
                const AxisItem& group = items_[item.container];
                Add(Start(item.container), Start(i), rules.border, item.naturalFrom - group.naturalFrom, Give::Blank);
                Add(End(i), End(item.container), rules.border, group.naturalTo - item.naturalTo, Give::Blank);
            }
        }
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                const AxisItem& a = items_[i];
                const AxisItem& b = items_[j];
                const bool before = a.to <= b.from && a.from < b.from;
                const bool nested = a.container == j || b.container == i;
                const bool sharesRows = a.acrossFrom < b.acrossTo && b.acrossFrom < a.acrossTo;
                if (!before || nested || (!sharesRows && !rules.ordersApartControls))
                    continue;
                const int gap = std::max(0, b.naturalFrom - a.naturalTo);
                Add(End(i), Start(j), std::min(rules.gap, gap), gap, Give::Blank);
            }
        }
        for (int i = 0; i < n; ++i) {
            const int before = std::max(0, items_[i].naturalFrom);
            const int after = std::max(0, natural - items_[i].naturalTo);
            if (in_[Start(i)].empty())
                Add(Near(), Start(i), std::min(rules.margin, before), before, Give::Blank);
            if (out_[End(i)].empty())
                Add(End(i), Far(), std::min(rules.margin, after), after, Give::Blank);
        }
    }

    void Order() {
        std::vector<int> waiting(count_);
        for (int node = 0; node < count_; ++node)
            waiting[node] = static_cast<int>(in_[node].size());
        for (int node = 0; node < count_; ++node)
            if (waiting[node] == 0)
                order_.push_back(node);
        for (std::size_t next = 0; next < order_.size(); ++next)
            for (int index : out_[order_[next]])
                if (--waiting[constraints_[index].to] == 0)
                    order_.push_back(constraints_[index].to);
    }

    // Leaves out the empty spans that a longer path between the same two edges already keeps (a control
    // ordered after one two places before it, say): any such path holds at least as many cells at the least,
    // and shortening the one left out would only cost time.
    void DropImplied() {
        const std::size_t words = (static_cast<std::size_t>(count_) + 63) / 64;
        std::vector<std::vector<std::uint64_t>> reach(count_, std::vector<std::uint64_t>(words, 0));
        for (auto node = order_.rbegin(); node != order_.rend(); ++node) {
            for (int index : out_[*node]) {
                const int to = constraints_[index].to;
                reach[*node][to / 64] |= std::uint64_t{1} << (to % 64);
                for (std::size_t w = 0; w < words; ++w)
                    reach[*node][w] |= reach[to][w];
            }
        }
        auto implied = [&](int index) {
            const Constraint& c = constraints_[index];
            if (c.give != Give::Blank)
                return false;
            return std::ranges::any_of(out_[c.from], [&](int other) {
                const int via = constraints_[other].to;
                return via != c.to && (reach[via][c.to / 64] >> (c.to % 64) & 1) != 0;
            });
        };
        std::vector<bool> dropped(constraints_.size(), false);
        for (std::size_t index = 0; index < constraints_.size(); ++index)
            dropped[index] = implied(static_cast<int>(index));
        for (int node = 0; node < count_; ++node) {
            std::erase_if(in_[node], [&](int index) { return dropped[static_cast<std::size_t>(index)]; });
            std::erase_if(out_[node], [&](int index) { return dropped[static_cast<std::size_t>(index)]; });
        }
    }

    // The earliest place of every node and the constraint that sets it; of two that set it alike, the one
    // from the nearer neighbour, so the walk back follows neighbours rather than a longer hop over them.
    void Longest() {
        earliest_.assign(count_, 0);
        pred_.assign(count_, -1);
        for (int node : order_) {
            for (int index : in_[node]) {
                const Constraint& c = constraints_[index];
                const int place = earliest_[c.from] + c.weight;
                if (pred_[node] < 0 || place > earliest_[node] ||
                    (place == earliest_[node] && Natural(c.from) > Natural(constraints_[pred_[node]].from))) {
                    earliest_[node] = place;
                    pred_[node] = index;
                }
            }
        }
    }

    int Natural(int node) const {
        if (node >= Near())
            return node == Near() ? INT_MIN : INT_MAX;
        const AxisItem& item = items_[static_cast<std::size_t>(node / 2)];
        return node % 2 == 0 ? item.naturalFrom : item.naturalTo;
    }

    bool Follows(int node) const {
        if (node >= Near())
            return node == Far();
        const AxisItem& item = items_[static_cast<std::size_t>(node / 2)];
        return node % 2 == 0 ? item.fromFollows : item.toFollows;
    }

    // Empty cells give way first, then controls and what the dialog stretches in the rules' order.
    int Rank(Give give) const {
        if (give == Give::Blank)
            return 0;
        return (give == Give::Control) == controlsBeforeStretch_ ? 1 : 2;
    }

    // Which of two constraints gives a cell first: the lower rank; within a kind, the one with the larger
    // share of its cells to give still, so that like spans shrink in proportion.
    bool GivesFirst(const Constraint& a, const Constraint& b) const {
        if (a.give != b.give)
            return Rank(a.give) < Rank(b.give);
        const long long left = static_cast<long long>(a.weight - a.least) * (b.start - b.least);
        const long long right = static_cast<long long>(b.weight - b.least) * (a.start - a.least);
        return left != right ? left > right : a.weight - a.least > b.weight - b.least;
    }

    const std::vector<AxisItem>& items_;
    bool controlsBeforeStretch_;
    int count_;
    std::vector<Constraint> constraints_;
    std::vector<std::vector<int>> in_;
    std::vector<std::vector<int>> out_;
    std::vector<int> order_;
    std::vector<int> earliest_;
    std::vector<int> pred_;
};

}  // namespace

AxisPlacement CompactAxis(const std::vector<AxisItem>& items, int natural, int target, const AxisRules& rules) {
    AxisPlacement placement;
    AxisGraph graph(items, natural, rules);
    std::vector<int> place;
    if (graph.Acyclic()) {
        placement.total = std::max(target, graph.Shrink(target));
        place = graph.Places(placement.total);
    } else {
        // Controls that overlap in the template such that no order holds: they keep their natural cells.
        placement.total = natural;
        for (const AxisItem& item : items) {
            place.push_back(item.naturalFrom);
            place.push_back(item.naturalTo);
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        placement.from.push_back(place[2 * i]);
        placement.to.push_back(place[2 * i + 1]);
    }
    return placement;
}

}  // namespace afx
