# windows come later
