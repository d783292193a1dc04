// placeholder until the record file lands
