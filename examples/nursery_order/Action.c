Action()
{
    web_url("catalogue", "URL=https://shop.example/nursery/catalogue?page=1", LAST);

    web_url("plant", "URL=https://shop.example/nursery/plants/{PlantCode}", LAST);

    web_submit_form("add_to_basket", "Name=plant", "Value={PlantCode}", "Name=quantity", "Value={Quantity}", LAST);

    web_submit_form(
        "checkout", "Name=order_number", "Value={OrderNumber}", "Name=delivery_date", "Value={DeliveryDate}",
        "Name=gift_card", "Value={GiftCard}", "Name=coupon", "Value={CouponCode}", "Name=note",
        "Value=Ordered by {CustomerName}, user {VuserId} of {GroupName} on {LoadGenerator}, pass {Iteration}", LAST);

    return 0;
}
