#include "LineIndex.h"

#include <algorithm>

#include <boost/function_output_iterator.hpp>
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

namespace {

using TPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using TBox = bg::model::box<TPoint>;
using TValue = std::pair<TBox, std::uint32_t>;

TPoint PointOf(T2DVector v) { return {v.X, v.Y}; }

auto Collector(std::vector<std::uint32_t>& found) {
  return boost::make_function_output_iterator([&found](const TValue& value) { found.push_back(value.second); });
}

}  // namespace

struct TLineIndex::TTree {
  bgi::rtree<TValue, bgi::quadratic<16>> Tree;
};

TLineIndex::TLineIndex(std::span<const T2DLine> lines) : tree_(std::make_unique<TTree>()) {
  std::vector<TValue> values;
  values.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    values.emplace_back(TBox(PointOf({std::min(lines[i].P1.X, lines[i].P2.X), std::min(lines[i].P1.Y, lines[i].P2.Y)}),
                             PointOf({std::max(lines[i].P1.X, lines[i].P2.X), std::max(lines[i].P1.Y, lines[i].P2.Y)})),
                        static_cast<std::uint32_t>(i));
  // Packed in one go (sort-tile-recursive): faster to build and to query
  // than segment by segment.
  tree_->Tree = bgi::rtree<TValue, bgi::quadratic<16>>(values.begin(), values.end());
}

TLineIndex::~TLineIndex() = default;

void TLineIndex::Nearest(T2DVector point, std::size_t count, std::vector<std::uint32_t>& found) const {
  found.clear();
  tree_->Tree.query(bgi::nearest(PointOf(point), static_cast<unsigned>(count)), Collector(found));
}

void TLineIndex::Meeting(T2DVector min, T2DVector max, std::vector<std::uint32_t>& found) const {
  found.clear();
  tree_->Tree.query(bgi::intersects(TBox(PointOf(min), PointOf(max))), Collector(found));
}
