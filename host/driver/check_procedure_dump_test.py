#!/usr/bin/env python3
"""The checker of the procedure road's dump takes a one-sided derivative at a kink of the table,
and only there, and no entry that no difference shows."""
import math
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_procedure_dump import agrees  # noqa: E402

NAN = math.nan


class Agrees(unittest.TestCase):
    def test_smooth_entry_is_the_central_difference(self):
        self.assertTrue(agrees(0.5625, 0.5624999999, 0.5625005624, 0.5624994375))
        self.assertFalse(agrees(0.5626, 0.5624999999, 0.5625005624, 0.5624994375))

    def test_kink_takes_either_side_but_not_their_mean(self):
        # --x 1 on the default table: the slopes 2 and 1 meet.
        self.assertTrue(agrees(-1, -1.5, -1, -2))
        self.assertTrue(agrees(-2, -1.5, -1, -2))
        self.assertFalse(agrees(-1.5, -1.5, -1, -2))

    def test_table_end_takes_the_side_that_stays_inside(self):
        self.assertTrue(agrees(-0.75, NAN, NAN, -0.7500000001))
        self.assertFalse(agrees(0.75, NAN, NAN, -0.7500000001))


if __name__ == "__main__":
    unittest.main()
