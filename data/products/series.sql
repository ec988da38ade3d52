-- Series of the demo catalogue. Outdoor (product_type 0):
--   101 VX heat pump, single modules 8-22 HP, table with vkc_table_name_prefix
--   102 VX heat pump, factory-combined 24-60 HP, stored as a _Combination table
--   103 VX compact, side discharge 8-16 HP, VKC prefix derived from the product code
--   104 VX legacy, no longer sold (series flag)
--   105 WVX water-cooled, left out of the energy data (water series)
insert into __product_series values (101, 0, 1, 'VX heat pump', '380-415V 3N~ 50Hz', 'VX', 'QM_VXS', 0);
insert into __product_series values (102, 0, 1, 'VX heat pump combined', '380-415V 3N~ 50Hz', 'VX', 'QM_VXC_Combination', 0);
insert into __product_series values (103, 0, 2, 'VX compact', '380-415V 3N~ 50Hz', 'VX compact', 'QM_VXM', 0);
insert into __product_series values (104, 0, 1, 'VX legacy', '380-415V 3N~ 50Hz', 'VX', 'QM_VXL', 1);
insert into __product_series values (105, 0, 3, 'WVX water-cooled', '380-415V 3N~ 50Hz', 'WVX', 'QM_WVX', 0);

-- Indoor (product_type 1), one category per series.
insert into __product_series values (201, 1, 0, 'Four-way cassette', '220-240V~ 50Hz', 'Cassette', 'QM_IDU_CASSETTE', 0);
insert into __product_series values (202, 1, 0, 'Slim duct', '220-240V~ 50Hz', 'Duct', 'QM_IDU_SLIMDUCT', 0);
insert into __product_series values (203, 1, 0, 'High-static duct', '220-240V~ 50Hz', 'Duct', 'QM_IDU_HSDUCT', 0);
insert into __product_series values (204, 1, 0, 'Wall-mounted', '220-240V~ 50Hz', 'Wall', 'QM_IDU_WALL', 0);
insert into __product_series values (205, 1, 0, 'Floor/ceiling', '220-240V~ 50Hz', 'Floor/ceiling', 'QM_IDU_FLOORCEIL', 0);

insert into __rule_unit_type values (101, 0);
insert into __rule_unit_type values (102, 0);
insert into __rule_unit_type values (103, 0);
insert into __rule_unit_type values (104, 0);
insert into __rule_unit_type values (105, 1);
