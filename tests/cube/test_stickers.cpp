#include <gtest/gtest.h>

#include "cube/stickers.h"
#include "geometry_model.h"

namespace {

class StickersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildNeighbourTables();
    ResetStickers();
  }
};

int Cross(const std::array<int, 3>& a, const std::array<int, 3>& b, const std::array<int, 3>& c) {
  // a · (b × c)
  return a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
         a[2] * (b[0] * c[1] - b[1] * c[0]);
}

TEST(PositionsTest, PosToRowColInvertsRowColToPos) {
  EXPECT_EQ(PosToRowCol(1).Row, 1);
  EXPECT_EQ(PosToRowCol(1).Col, 1);
  EXPECT_EQ(PosToRowCol(3).Row, 1);
  EXPECT_EQ(PosToRowCol(3).Col, 3);
  EXPECT_EQ(PosToRowCol(4).Row, 2);
  EXPECT_EQ(PosToRowCol(4).Col, 1);
  EXPECT_EQ(PosToRowCol(6).Row, 2);
  EXPECT_EQ(PosToRowCol(6).Col, 3);
  EXPECT_EQ(PosToRowCol(9).Row, 3);
  EXPECT_EQ(PosToRowCol(9).Col, 3);
  for (int p = 1; p <= 9; ++p) {
    RowCol rc = PosToRowCol(p);
    EXPECT_EQ(RowColToPos(rc.Row, rc.Col), p);
  }
}

// Every neighbour entry names a sticker on the same cubie, every sticker of a cubie is
// listed, and a corner's pair is in right-handed order: checked against the geometry of
// the face layouts, so a single mistyped entry fails.
TEST_F(StickersTest, NeighbourTableMatchesGeometry) {
  for (int f = 1; f <= 6; ++f)
    for (int p = 1; p <= 9; ++p) {
      RowCol rc = PosToRowCol(p);
      StickerPlace own = PlaceOf(f, rc.Row, rc.Col);
      int outer = 0;
      for (int a = 0; a < 3; ++a) outer += own.Cubie[a] != 0;
      const NeighbourList& list = Neighbours[f][p];
      ASSERT_EQ(list.Count, outer - 1) << "face " << f << " pos " << p;
      for (int l = 0; l < list.Count; ++l) {
        RowCol o = PosToRowCol(list.Entries[l].Pos);
        StickerPlace other = PlaceOf(list.Entries[l].Face, o.Row, o.Col);
        EXPECT_EQ(other.Cubie, own.Cubie) << "face " << f << " pos " << p << " entry " << l;
        EXPECT_NE(other.Outward, own.Outward);
      }
      if (list.Count == 2) {
        RowCol o1 = PosToRowCol(list.Entries[0].Pos), o2 = PosToRowCol(list.Entries[1].Pos);
        EXPECT_EQ(Cross(own.Outward, PlaceOf(list.Entries[0].Face, o1.Row, o1.Col).Outward,
                        PlaceOf(list.Entries[1].Face, o2.Row, o2.Col).Outward),
                  1)
            << "corner order at face " << f << " pos " << p;
      }
    }
}

TEST_F(StickersTest, RowColumnListsFollowPositionLists) {
  for (int f = 1; f <= 6; ++f)
    for (int row = 1; row <= 3; ++row)
      for (int col = 1; col <= 3; ++col) {
        const NeighbourList& byPos = Neighbours[f][RowColToPos(row, col)];
        const NeighbourListRC& byRC = NeighboursRC[f][row][col];
        ASSERT_EQ(byRC.Count, byPos.Count);
        for (int l = 0; l < byPos.Count; ++l) {
          EXPECT_EQ(byRC.Entries[l].Face, byPos.Entries[l].Face);
          EXPECT_EQ(RowColToPos(byRC.Entries[l].Row, byRC.Entries[l].Col), byPos.Entries[l].Pos);
        }
      }
}

TEST_F(StickersTest, LookUpsOnTheSolvedCube) {
  StickerRef e = FindEdge(1, 4);
  EXPECT_EQ(e.Face, 1);
  EXPECT_EQ(e.Row, 1);
  EXPECT_EQ(e.Col, 2);
  e = FindEdge(4, 1);
  EXPECT_EQ(e.Face, 4);
  EXPECT_EQ(e.Row, 1);
  EXPECT_EQ(e.Col, 2);

  StickerRef c = FindCorner(1, 4, 6);
  EXPECT_EQ(c.Face, 1);
  EXPECT_EQ(c.Row, 1);
  EXPECT_EQ(c.Col, 1);
  // The order of the two colours is the corner's orientation.
  EXPECT_EQ(FindCorner(1, 6, 4).Face, 0);
  // Colours that share no cubie, and opposite faces, find nothing.
  EXPECT_EQ(FindEdge(1, 2).Face, 0);
  EXPECT_EQ(FindCorner(1, 2, 3).Face, 0);
}

TEST_F(StickersTest, LookUpReturnsTheLastMatchInScanOrder) {
  // Hand-edit a second colour-1 / colour-4 edge: 5/2 (partner 1/6) becomes 1, and 1/6 becomes 4.
  StickerAtPos(5, 2) = 1;
  StickerAtPos(1, 6) = 4;
  StickerRef e = FindEdge(1, 4);
  EXPECT_EQ(e.Face, 5);
  EXPECT_EQ(e.Row, 1);
  EXPECT_EQ(e.Col, 2);
}

TEST_F(StickersTest, ResetGivesEveryFaceItsOwnColour) {
  for (int i = 0; i < StickerCount; ++i) Stickers[i] = 0;
  ResetStickers();
  for (int i = 0; i < StickerCount; ++i) EXPECT_EQ(Stickers[i], i / 9 + 1);
}

}  // namespace
